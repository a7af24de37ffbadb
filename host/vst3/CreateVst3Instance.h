#pragma once

namespace VstToolkit {

class Vst3Plugin;

// Builds one complete VST3 instance: the delay's model, the face that owns it, and the
// platform's editor. Returns null when none could be made. The host's main thread.
Vst3Plugin* CreateVst3Instance();

}  // namespace VstToolkit
