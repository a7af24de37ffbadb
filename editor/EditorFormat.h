#pragma once

namespace VstToolkit {

// The plug-in format the host loaded, which the editor names in its footer. Each face
// gives its own when it makes the editor; the artwork itself says "VST 2.4", so kVst2
// draws the background as it is and the others lay their own name over that place.
enum class EditorFormat { kVst2, kVst3, kClap, kLv2 };

}  // namespace VstToolkit
