#pragma once

// The fed-back echo's limiter: linear up to 0.72, then bending toward 1. Its magnitude
// never exceeds 1 (it reaches 1 exactly only for inputs so large that 0.72 / x rounds away).
inline float SoftSaturate(float x) {
  // 0.27999997 is 1 - 0.72 in single precision.
  if (x > 0.72f) {
    return (1.0f - 0.72f / x) * 0.27999997f + 0.72f;
  }
  if (x < -0.72f) {
    return -((1.0f - (-0.72f) / x) * 0.27999997f + 0.72f);
  }
  return x;
}
