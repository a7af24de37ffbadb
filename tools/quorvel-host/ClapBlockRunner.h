#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "host/clap/ClapEvents.h"
#include "tools/quorvel-host/ChannelBuffers.h"
#include "tools/quorvel-host/ClapEventList.h"
#include "tools/quorvel-host/HostTransport.h"

namespace QuorvelHost {

class ClapInstance;

// Drives a CLAP instance over whole buffers the way a host's audio thread does: block by
// block, each with its transport (tempo, time signature, playing, the song position in
// beats) and the events due in it. The CLAP counterpart of BlockRunner.
class ClapBlockRunner final : public HostTransport {
 public:
  ClapBlockRunner(ClapInstance& instance, int32_t blockSize, double sampleRate);

  // A parameter value (MIDI status 0) or a MIDI message at an absolute frame.
  struct TimedEvent {
    int64_t frame;
    clap_id id;
    double value;
    uint8_t status, data1, data2;
  };
  using BlockHook = std::function<void(int64_t firstFrame, int32_t frames)>;

  // Events sorted by frame; each is sent in the block that holds its frame.
  void SetEvents(std::vector<TimedEvent> events) { timed_ = std::move(events); }
  void SetBlockHook(BlockHook hook) { hook_ = std::move(hook); }
  // Events for the next block (times within it); cleared once it is processed.
  ClapEventList& NextEvents() { return events_; }

  // Processes every frame of `input` (two channels) into `output`, the first frame at
  // song frame `songFrame`.
  void Run(ChannelBuffers& input, ChannelBuffers& output, int64_t songFrame = 0);

 private:
  ClapInstance& instance_;
  int32_t blockSize_;
  double sampleRate_;
  std::vector<TimedEvent> timed_;
  size_t nextTimed_ = 0;
  BlockHook hook_;
  ClapEventList events_;
  clap_event_transport_t transport_{};
};

}  // namespace QuorvelHost
