#pragma once

#include <cstdint>

namespace VstToolkit {

// One queued MIDI channel message, as the host delivered it.
struct MidiMessage {
  int32_t deltaFrames;  // sample position within the block, as the host gave it
  uint8_t status;
  uint8_t data1;
  uint8_t data2;
};

}  // namespace VstToolkit
