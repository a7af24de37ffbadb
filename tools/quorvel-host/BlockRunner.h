#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "tools/audio-buffers/ChannelBuffers.h"
#include "tools/quorvel-host/EventList.h"
#include "tools/quorvel-host/HostTransport.h"

namespace QuorvelHost {

class HostedPlugin;

// Drives a plug-in of any format over whole buffers the way a host's audio thread does:
// block by block, each block's MIDI queued at its frames, then the block processed with
// the transport at its song position.
// Threads: the thread that runs the blocks.
class BlockRunner final {
 public:
  // Called before each block with its first frame and length (automation, transport
  // changes, progress).
  using BlockHook = std::function<void(int64_t firstFrame, int32_t frames)>;

  BlockRunner(HostedPlugin& plugin, int32_t blockSize);

  // Messages sorted by frame; each is delivered in the block that holds its frame.
  void SetMidi(std::vector<TimedMidiMessage> messages) { messages_ = std::move(messages); }
  void SetBlockHook(BlockHook hook) { hook_ = std::move(hook); }
  HostTransport& Transport() { return transport_; }

  // Processes every frame of `input` into `output` (which may be the same object, for
  // in-place processing), the first frame at song frame `songFrame`.
  void Run(ChannelBuffers& input, ChannelBuffers& output, int64_t songFrame = 0);

 private:
  HostedPlugin& plugin_;
  int32_t blockSize_;
  std::vector<TimedMidiMessage> messages_;
  BlockHook hook_;
  HostTransport transport_;
};

}  // namespace QuorvelHost
