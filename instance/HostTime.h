#pragma once

#include <cstdint>

namespace VstToolkit {

// The host's transport and musical time as a face reads it for a block. A field
// counts only where its flag says the host gave it.
struct HostTime {
  bool hasTempo = false;
  double tempo = 120.0;
  bool hasPosition = false;
  double position = 0.0;  // in quarter notes
  bool playing = true;
  bool hasTimeSignature = false;
  int32_t numerator = 4;
  int32_t denominator = 4;
};

}  // namespace VstToolkit
