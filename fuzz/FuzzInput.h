#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace QuorvelFuzz {

// The fuzzer's bytes read front to back as little-endian numbers; past the end
// every read gives zeros, so any input is a complete sequence of operations.
class FuzzInput final {
 public:
  FuzzInput(const uint8_t* bytes, size_t size) : data(bytes), end(bytes + size) {}
  bool Empty() const { return data == end; }
  size_t Remaining() const { return static_cast<size_t>(end - data); }
  uint8_t Byte() { return data < end ? *data++ : 0; }
  int32_t Int16() { return static_cast<int16_t>(static_cast<uint16_t>(Byte() | (Byte() << 8))); }
  uint32_t Bits32() {
    uint32_t value = 0;
    for (int k = 0; k < 4; ++k) {
      value |= static_cast<uint32_t>(Byte()) << (8 * k);
    }
    return value;
  }
  int32_t Int32() { return static_cast<int32_t>(Bits32()); }
  uint64_t Bits64() {
    const uint64_t low = Bits32();
    return low | (static_cast<uint64_t>(Bits32()) << 32);
  }
  float FloatBits() {
    const uint32_t bits = Bits32();
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }
  double DoubleBits() {
    const uint64_t bits = Bits64();
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }
  // Up to `count` bytes copied out; returns how many there were.
  size_t Take(uint8_t* destination, size_t count) {
    const size_t n = count < Remaining() ? count : Remaining();
    if (n > 0) {
      std::memcpy(destination, data, n);
      data += n;
    }
    return n;
  }

 private:
  const uint8_t* data;
  const uint8_t* end;
};

}  // namespace QuorvelFuzz
