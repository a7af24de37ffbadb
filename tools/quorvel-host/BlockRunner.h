#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "tools/quorvel-host/ChannelBuffers.h"
#include "tools/quorvel-host/EventList.h"

namespace QuorvelHost {

class PluginInstance;

// Drives a plug-in over whole buffers the way a host's audio thread does:
// block by block, each block's MIDI first (effProcessEvents), the song position
// advanced for the host's time information, then processReplacing.
class BlockRunner final {
 public:
  // Called before each block with its first frame and length (automation,
  // transport changes, progress).
  using BlockHook = std::function<void(int64_t firstFrame, int32_t frames)>;

  BlockRunner(PluginInstance& instance, int32_t blockSize);

  // Messages sorted by frame; each is delivered in the block that holds its frame.
  void SetMidi(std::vector<TimedMidiMessage> messages) { messages_ = std::move(messages); }
  void SetBlockHook(BlockHook hook) { hook_ = std::move(hook); }

  // Processes every frame of `input` into `output` (which may be the same
  // object, for in-place processing), the first frame at song frame `songFrame`.
  void Run(ChannelBuffers& input, ChannelBuffers& output, int64_t songFrame = 0);

 private:
  PluginInstance& instance_;
  int32_t blockSize_;
  std::vector<TimedMidiMessage> messages_;
  BlockHook hook_;
  EventList events_;
};

}  // namespace QuorvelHost
