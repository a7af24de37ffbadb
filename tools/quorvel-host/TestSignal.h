#pragma once

#include <cstdint>

namespace QuorvelHost {

class ChannelBuffers;

// Reproducible input signals for checks and measurements, and the scan of
// what comes out.
class TestSignal final {
 public:
  // White noise of the given peak in [first, end), each channel its own
  // sequence, the same for the same seed.
  static void Noise(ChannelBuffers& buffers, uint32_t seed, float peak, int64_t first, int64_t end);

  struct Scan {
    int64_t nonFinite = 0;
    int64_t subnormal = 0;
    double peak = 0.0;
    bool Clean() const { return nonFinite == 0 && subnormal == 0; }
  };
  static Scan Examine(const ChannelBuffers& buffers);
};

}  // namespace QuorvelHost
