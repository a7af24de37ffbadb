#pragma once

#include <cstdint>

namespace VstToolkit {

// What names the LV2 plug-in, its UI and its state, and where its ports are: the face, the
// UI, the Turtle generator and the test host read them here, so they never disagree.
namespace Lv2Identity {

inline constexpr const char* kPluginUri = "https://quorvel.example/delay/lv2";
inline constexpr const char* kUiUri = "https://quorvel.example/delay/lv2#ui";
inline constexpr const char* kHomepage = "https://quorvel.example/delay";
inline constexpr const char* kMaintainerMailbox = "mailto:dev@quorvel.example";
// SPDX's name for the MIT licence, the form LV2 tools recognise.
inline constexpr const char* kLicenseUri = "http://spdx.org/licenses/MIT";

// The one state property: the bank chunk followed by the selected program.
inline constexpr const char* kStateKeyUri = "https://quorvel.example/delay/lv2#state";

// The shared objects inside the bundle.
inline constexpr const char* kDspBinary = "quorvel-delay.so";
inline constexpr const char* kUiBinary = "quorvel-delay-ui.so";

// Ports, in index order: the audio, the parameters' control inputs in VST2 order (in the
// units a musician reads: InstanceCore::ValueToUnits), the MIDI input, the time input, then
// the atom pair between the UI and the plug-in: the UI's messages in, the plug-in's
// notifications out (RemoteMessages' bytes in atom:Chunk events).
inline constexpr uint32_t kInputLeft = 0;
inline constexpr uint32_t kInputRight = 1;
inline constexpr uint32_t kOutputLeft = 2;
inline constexpr uint32_t kOutputRight = 3;
inline constexpr uint32_t kParameterCount = 12;
inline constexpr uint32_t kFirstControl = 4;
inline constexpr uint32_t kMidiInput = kFirstControl + kParameterCount;
inline constexpr uint32_t kTimeInput = kMidiInput + 1;
inline constexpr uint32_t kUiInput = kTimeInput + 1;
inline constexpr uint32_t kUiNotify = kUiInput + 1;
inline constexpr uint32_t kPortCount = kUiNotify + 1;

// The smallest atom buffer a host must give the atom ports.
inline constexpr uint32_t kAtomBufferSize = 8192;

}  // namespace Lv2Identity

}  // namespace VstToolkit
