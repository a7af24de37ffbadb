#include "tools/quorvel-host/EventList.h"

#include <cstddef>

namespace QuorvelHost {

void EventList::AddMidi(int32_t deltaFrames, uint8_t status, uint8_t data1, uint8_t data2) {
  VstMidiEvent event{};
  event.type = kVstMidiType;
  event.byteSize = static_cast<VstInt32>(sizeof(VstMidiEvent));
  event.deltaFrames = deltaFrames;
  event.flags = kVstMidiEventIsRealtime;
  event.midiData[0] = static_cast<char>(status);
  event.midiData[1] = static_cast<char>(data1);
  event.midiData[2] = static_cast<char>(data2);
  midiEvents_.push_back(event);
}

VstEvents* EventList::Events() {
  // Pointer-sized words keep the record and its pointer array aligned.
  size_t header = offsetof(VstEvents, events) / sizeof(VstIntPtr);
  storage_.assign(header + midiEvents_.size() + 1, 0);
  auto* events = reinterpret_cast<VstEvents*>(storage_.data());
  events->numEvents = static_cast<VstInt32>(midiEvents_.size());
  for (size_t i = 0; i < midiEvents_.size(); ++i) {
    events->events[i] = reinterpret_cast<VstEvent*>(&midiEvents_[i]);
  }
  return events;
}

}  // namespace QuorvelHost
