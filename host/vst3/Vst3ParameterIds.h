#pragma once

#include <cstdint>

#include "host/vst3/Vst3Processor.h"

namespace VstToolkit {

// The VST3 face's parameter IDs: the plug-in's parameters keep their VST2 indices, so that
// automation recorded with the VST2 plug-in reaches the same parameters; past them, the
// program-change parameter, the host's bypass and one hidden parameter per MIDI channel
// and controller. The face's own parameters start at 0x100, clear of any index the
// plug-in's table could grow to, and never move.
struct Vst3ParameterIds {
  static constexpr Steinberg::Vst::ParamID kProgram = 0x100;
  // The host's bypass: Enabled seen from the other side (1 = bypassed = Enabled off).
  static constexpr Steinberg::Vst::ParamID kBypass = 0x101;
  static constexpr Steinberg::Vst::ParamID kEnabled = 0;
  static constexpr Steinberg::Vst::ParamID kFirstController = 0x1000;
  static constexpr int32_t kChannelCount = 16;
  static constexpr int32_t kControllerCount = 128;
  static constexpr int32_t kControllerIdCount = kChannelCount * kControllerCount;

  static constexpr Steinberg::Vst::ParamID Controller(int32_t channel, int32_t controller) {
    return kFirstController + static_cast<Steinberg::Vst::ParamID>(channel * kControllerCount + controller);
  }
  static constexpr bool IsController(Steinberg::Vst::ParamID id) {
    return id >= kFirstController && id < kFirstController + kControllerIdCount;
  }
  // For a controller's ID: its channel (0..15) and controller number (0..127).
  static constexpr int32_t ChannelOf(Steinberg::Vst::ParamID id) {
    return static_cast<int32_t>(id - kFirstController) / kControllerCount;
  }
  static constexpr int32_t ControllerOf(Steinberg::Vst::ParamID id) {
    return static_cast<int32_t>(id - kFirstController) % kControllerCount;
  }
};

}  // namespace VstToolkit
