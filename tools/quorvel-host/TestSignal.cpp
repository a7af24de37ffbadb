#include "tools/quorvel-host/TestSignal.h"

#include <cmath>

#include "tools/audio-buffers/ChannelBuffers.h"

namespace QuorvelHost {

void TestSignal::Noise(ChannelBuffers& buffers, uint32_t seed, float peak, int64_t first, int64_t end) {
  for (int32_t c = 0; c < buffers.Channels(); ++c) {
    // A linear congruential generator: the same bits on every platform, unlike
    // the standard distributions.
    uint32_t state = seed * 2654435761u + static_cast<uint32_t>(c) * 40503u + 1u;
    float* channel = buffers.Channel(c);
    for (int64_t i = first; i < end && i < buffers.Frames(); ++i) {
      state = state * 1664525u + 1013904223u;
      float unit = static_cast<float>(state >> 8) / 16777216.0f;
      channel[i] = (unit * 2.0f - 1.0f) * peak;
    }
  }
}

TestSignal::Scan TestSignal::Examine(const ChannelBuffers& buffers) {
  Scan scan;
  for (int32_t c = 0; c < buffers.Channels(); ++c) {
    const float* channel = buffers.Channel(c);
    for (int64_t i = 0; i < buffers.Frames(); ++i) {
      if (!std::isfinite(channel[i])) {
        ++scan.nonFinite;
      } else if (std::fpclassify(channel[i]) == FP_SUBNORMAL) {
        ++scan.subnormal;
      } else {
        scan.peak = std::fmax(scan.peak, std::fabs(static_cast<double>(channel[i])));
      }
    }
  }
  return scan;
}

}  // namespace QuorvelHost
