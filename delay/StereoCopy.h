#pragma once

#include <cstdint>

// Copies a stereo stretch unchanged. Either output may be the same array as either input:
// each frame's two inputs are read before anything is written.
inline void CopyStereo(const float* inLeft, const float* inRight, float* outLeft, float* outRight,
                       int32_t frames) {
  for (int32_t i = 0; i < frames; ++i) {
    const float left = inLeft[i];
    const float right = inRight[i];
    outLeft[i] = left;
    outRight[i] = right;
  }
}
