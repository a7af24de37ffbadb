#pragma once

#include <cstdint>
#include <cstring>

namespace QuorvelTest {

// The IEEE 754 bit pattern of a float, for exact comparisons with golden values.
inline uint32_t Bits(float value) {
  uint32_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

inline float FromBits(uint32_t bits) {
  float value = 0.0f;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

}  // namespace QuorvelTest
