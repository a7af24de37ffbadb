#pragma once

#include <cstdint>
#include <vector>

#include "host/vst3/Vst3Base.h"

namespace VstToolkit {

// A host's state stream read whole and written whole, in pieces of whatever size the
// stream takes or gives. The host's threads.
struct StateStream {
  // Reads to the stream's end into `bytes`; false where the stream fails or holds more
  // than `limit` bytes (no state of this plug-in comes near that).
  static bool ReadAll(Steinberg::IBStream* stream, std::vector<uint8_t>& bytes, int32_t limit);
  // Writes all `size` bytes; false where the stream takes no more.
  static bool WriteAll(Steinberg::IBStream* stream, const uint8_t* data, int32_t size);
};

}  // namespace VstToolkit
