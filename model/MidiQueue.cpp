#include "model/MidiQueue.h"

#include <cassert>

namespace VstToolkit {

namespace {

constexpr std::size_t kFirstCapacity = 64;

}  // namespace

void MidiQueue::Push(const MidiMessage& message) {
  if (count_ == slots_.size()) {
    std::vector<MidiMessage> larger(slots_.empty() ? kFirstCapacity : 2 * slots_.size());
    for (std::size_t i = 0; i < count_; ++i) {
      larger[i] = slots_[(head_ + i) % slots_.size()];
    }
    slots_.swap(larger);
    head_ = 0;
  }
  slots_[(head_ + count_) % slots_.size()] = message;
  ++count_;
}

MidiMessage MidiQueue::Pop() {
  assert(count_ > 0);
  const MidiMessage message = slots_[head_];
  head_ = (head_ + 1) % slots_.size();
  --count_;
  return message;
}

}  // namespace VstToolkit
