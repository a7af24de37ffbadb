#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "host/vst3/Vst3Processor.h"
#include "tools/quorvel-host/ChannelBuffers.h"
#include "tools/quorvel-host/HostTransport.h"
#include "tools/quorvel-host/Vst3ParameterChanges.h"

namespace QuorvelHost {

class Vst3Instance;

// Drives a VST3 instance over whole buffers the way a host's audio thread does: block by
// block, each with its process context (tempo, time signature, transport, the song
// position in samples and quarter notes) and the changes queued for it. The VST3
// counterpart of BlockRunner.
class Vst3BlockRunner final : public HostTransport {
 public:
  Vst3BlockRunner(Vst3Instance& instance, int32_t blockSize, double sampleRate);

  // A parameter change at an absolute frame of the rendering.
  struct TimedChange {
    int64_t frame;
    Steinberg::Vst::ParamID id;
    double value;
  };
  using BlockHook = std::function<void(int64_t firstFrame, int32_t frames)>;

  // Changes sorted by frame; each is sent in the block that holds its frame.
  void SetChanges(std::vector<TimedChange> changes) { timed_ = std::move(changes); }
  void SetBlockHook(BlockHook hook) { hook_ = std::move(hook); }
  // Changes for the next block (offsets within it); cleared once it is processed.
  Vst3ParameterChanges& NextChanges() { return changes_; }

  // Processes every frame of `input` (two channels) into `output`, the first frame at
  // song frame `songFrame`.
  void Run(ChannelBuffers& input, ChannelBuffers& output, int64_t songFrame = 0);

 private:
  Vst3Instance& instance_;
  int32_t blockSize_;
  double sampleRate_;
  std::vector<TimedChange> timed_;
  size_t nextTimed_ = 0;
  BlockHook hook_;
  Vst3ParameterChanges changes_;
  Steinberg::Vst::ProcessContext context_{};
};

}  // namespace QuorvelHost
