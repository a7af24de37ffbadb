#pragma once

#include <cstddef>
#include <vector>

#include "model/MidiMessage.h"

namespace VstToolkit {

// The first-in first-out queue of MIDI messages between processEvents and the
// next block. It keeps its storage: it grows (doubling) only when a host sends
// more messages at once than ever before, and otherwise neither allocates nor
// frees, however often it is filled and emptied on the audio thread.
class MidiQueue final {
 public:
  bool Empty() const { return count_ == 0; }
  std::size_t Size() const { return count_; }
  std::size_t Capacity() const { return slots_.size(); }

  void Push(const MidiMessage& message);
  // The oldest message, removed; only when not empty.
  MidiMessage Pop();

 private:
  std::vector<MidiMessage> slots_;
  std::size_t head_ = 0;
  std::size_t count_ = 0;
};

}  // namespace VstToolkit
