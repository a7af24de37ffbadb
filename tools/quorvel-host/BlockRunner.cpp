#include "tools/quorvel-host/BlockRunner.h"

#include <algorithm>

#include "tools/quorvel-host/PluginInstance.h"

namespace QuorvelHost {

BlockRunner::BlockRunner(PluginInstance& instance, int32_t blockSize)
    : instance_(instance), blockSize_(std::max(blockSize, 1)) {}

void BlockRunner::Run(ChannelBuffers& input, ChannelBuffers& output, int64_t songFrame) {
  // A pointer array shorter than the plug-in's channel count would be read past its end.
  if (input.Channels() < instance_.InputCount() || output.Channels() < instance_.OutputCount()) {
    return;
  }
  size_t nextMessage = 0;
  const int64_t total = std::min(input.Frames(), output.Frames());
  for (int64_t first = 0; first < total; first += blockSize_) {
    auto frames = static_cast<int32_t>(std::min<int64_t>(blockSize_, total - first));
    if (hook_) {
      hook_(first, frames);
    }
    events_.Clear();
    while (nextMessage < messages_.size() && messages_[nextMessage].frame < first + frames) {
      const TimedMidiMessage& message = messages_[nextMessage++];
      auto delta = static_cast<int32_t>(std::max<int64_t>(message.frame - first, 0));
      events_.AddMidi(delta, message.status, message.data1, message.data2);
    }
    if (events_.Count() > 0) {
      instance_.SendEvents(events_.Events());
    }
    instance_.Host().SetSamplePosition(songFrame + first);
    instance_.Process(input.At(first), output.At(first), frames);
  }
}

}  // namespace QuorvelHost
