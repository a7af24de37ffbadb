#pragma once

#include <cstdint>
#include <vector>

#include "host/clap/ClapEvents.h"

namespace QuorvelHost {

// A CLAP event list, either way: the host's input events for a block (added in time
// order) or the plug-in's output events, copied as the plug-in pushes them. Events keep
// their own bytes; offsets index them.
class ClapEventList final {
 public:
  ClapEventList();
  ClapEventList(const ClapEventList&) = delete;
  ClapEventList& operator=(const ClapEventList&) = delete;

  void AddParameter(uint32_t time, clap_id id, double value);
  void AddMidi(uint32_t time, uint8_t status, uint8_t data1, uint8_t data2);
  // Any event as given (its header's size counts).
  void Add(const clap_event_header_t& event);
  void Clear();

  uint32_t Size() const { return static_cast<uint32_t>(offsets_.size()); }
  const clap_event_header_t* At(uint32_t index) const;

  // The records to hand the plug-in.
  const clap_input_events_t* Input() const { return &input_; }
  const clap_output_events_t* Output() const { return &output_; }

 private:
  std::vector<uint64_t> storage_;  // 8-byte aligned bytes of the events
  std::vector<uint32_t> offsets_;  // each event's start in bytes
  clap_input_events_t input_{};
  clap_output_events_t output_{};
};

}  // namespace QuorvelHost
