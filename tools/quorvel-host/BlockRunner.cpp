#include "tools/quorvel-host/BlockRunner.h"

#include <algorithm>

#include "tools/quorvel-host/HostedPlugin.h"

namespace QuorvelHost {

BlockRunner::BlockRunner(HostedPlugin& plugin, int32_t blockSize)
    : plugin_(plugin), blockSize_(std::max(blockSize, 1)) {}

void BlockRunner::Run(ChannelBuffers& input, ChannelBuffers& output, int64_t songFrame) {
  // A pointer array shorter than the plug-in's channel count would be read past its end.
  if (input.Channels() < plugin_.InputCount() || output.Channels() < plugin_.OutputCount()) {
    return;
  }
  size_t nextMessage = 0;
  const int64_t total = std::min(input.Frames(), output.Frames());
  for (int64_t first = 0; first < total; first += blockSize_) {
    auto frames = static_cast<int32_t>(std::min<int64_t>(blockSize_, total - first));
    if (hook_) {
      hook_(first, frames);
    }
    while (nextMessage < messages_.size() && messages_[nextMessage].frame < first + frames) {
      const TimedMidiMessage& message = messages_[nextMessage++];
      auto offset = static_cast<int32_t>(std::max<int64_t>(message.frame - first, 0));
      plugin_.QueueMidi(offset, message.status, message.data1, message.data2);
    }
    plugin_.DeliverEvents();
    plugin_.Process(input.At(first), output.At(first), frames, transport_, songFrame + first);
  }
}

}  // namespace QuorvelHost
