#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/vst3/Vst3EditController.h"
#include "tools/quorvel-host/ChannelBuffers.h"

namespace QuorvelHost {

class Vst3Instance;

// What the VST3 checks share: signals through an instance, its listed parameters.
class Vst3CheckSupport final {
 public:
  // `input` (two channels) through the plug-in in blocks of `blockSize`.
  static ChannelBuffers Process(Vst3Instance& plugin, ChannelBuffers& input, int32_t blockSize);
  // The listed parameters' IDs, and which of them hosts may automate.
  static std::vector<Steinberg::Vst::ParameterInfo> Parameters(Vst3Instance& plugin);
  // Parameter changes through a flush (a process call of no samples and no buffers).
  static void Flush(Vst3Instance& plugin, const std::vector<std::pair<Steinberg::Vst::ParamID, double>>& changes);
};

}  // namespace QuorvelHost
