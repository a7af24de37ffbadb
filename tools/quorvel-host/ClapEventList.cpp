#include "tools/quorvel-host/ClapEventList.h"

#include <algorithm>
#include <cstring>

namespace QuorvelHost {

ClapEventList::ClapEventList() {
  input_.ctx = this;
  input_.size = [](const clap_input_events_t* list) { return static_cast<const ClapEventList*>(list->ctx)->Size(); };
  input_.get = [](const clap_input_events_t* list, uint32_t index) {
    return static_cast<const ClapEventList*>(list->ctx)->At(index);
  };
  output_.ctx = this;
  output_.try_push = [](const clap_output_events_t* list, const clap_event_header_t* event) {
    if (event == nullptr || event->size < sizeof(clap_event_header_t)) {
      return false;
    }
    static_cast<ClapEventList*>(list->ctx)->Add(*event);
    return true;
  };
  storage_.reserve(4096);
  offsets_.reserve(256);
}

void ClapEventList::AddParameter(uint32_t time, clap_id id, double value) {
  clap_event_param_value_t event{};
  event.header = {sizeof event, time, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE, 0};
  event.param_id = id;
  event.note_id = -1;
  event.port_index = -1;
  event.channel = -1;
  event.key = -1;
  event.value = value;
  Add(event.header);
}

void ClapEventList::AddMidi(uint32_t time, uint8_t status, uint8_t data1, uint8_t data2) {
  const clap_event_midi_t event{
      {sizeof(clap_event_midi_t), time, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_MIDI, 0},
      0,
      {status, data1, data2}};
  Add(event.header);
}

void ClapEventList::Add(const clap_event_header_t& event) {
  const size_t size = std::max<size_t>(event.size, sizeof(clap_event_header_t));
  const size_t start = storage_.size();
  storage_.resize(start + (size + 7) / 8);
  std::memcpy(storage_.data() + start, &event, size);
  offsets_.push_back(static_cast<uint32_t>(start * 8));
}

void ClapEventList::Clear() {
  storage_.clear();
  offsets_.clear();
}

const clap_event_header_t* ClapEventList::At(uint32_t index) const {
  const auto* bytes = reinterpret_cast<const uint8_t*>(storage_.data());
  return index < offsets_.size() ? reinterpret_cast<const clap_event_header_t*>(bytes + offsets_[index]) : nullptr;
}

}  // namespace QuorvelHost
