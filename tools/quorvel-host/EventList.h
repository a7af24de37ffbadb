#pragma once

#include <cstdint>
#include <vector>

#include "host/vst2/VstInterface.h"

namespace QuorvelHost {

// A MIDI message at an absolute frame of a rendering.
struct TimedMidiMessage {
  int64_t frame;
  uint8_t status;
  uint8_t data1;
  uint8_t data2;
};

// The VstEvents list of one block: the record ends in a variable number of
// event pointers, so it lives in storage sized for the events it holds.
class EventList final {
 public:
  void Clear() { midiEvents_.clear(); }
  void AddMidi(int32_t deltaFrames, uint8_t status, uint8_t data1, uint8_t data2);
  int32_t Count() const { return static_cast<int32_t>(midiEvents_.size()); }
  // Valid until the next change of the list.
  VstEvents* Events();

 private:
  std::vector<VstMidiEvent> midiEvents_;
  std::vector<VstIntPtr> storage_;
};

}  // namespace QuorvelHost
