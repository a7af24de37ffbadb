#include "model/ChunkBuffer.h"

#include <cassert>
#include <cstring>

namespace VstToolkit {

ChunkBuffer::ChunkBuffer() : data(new uint8_t[kInitialCapacity]()), capacity(kInitialCapacity) {}

ChunkBuffer::ChunkBuffer(const void* bytes, uint32_t byteCount)
    : data(new uint8_t[byteCount > 0 ? byteCount : 1]()), size(byteCount), capacity(byteCount) {
  if (bytes != nullptr && byteCount > 0) {
    std::memcpy(data.get(), bytes, byteCount);
  } else {
    size = 0;
  }
}

void ChunkBuffer::Reserve(uint32_t count) {
  const uint64_t needed = static_cast<uint64_t>(size) + count;
  assert(needed <= UINT32_MAX);
  if (needed <= capacity) {
    return;
  }
  uint64_t grown = capacity > 0 ? capacity : kInitialCapacity;
  while (grown < needed) {
    grown *= 2;
  }
  // A chunk never approaches 4 GiB; stop at the largest size the 32-bit fields can describe.
  if (grown > UINT32_MAX) {
    grown = UINT32_MAX;
  }
  std::unique_ptr<uint8_t[]> larger(new uint8_t[grown]());
  if (size > 0) {
    std::memcpy(larger.get(), data.get(), size);
  }
  data = std::move(larger);
  capacity = static_cast<uint32_t>(grown);
}

void ChunkBuffer::Write(const void* bytes, uint32_t count) {
  Reserve(count);
  if (count > 0 && bytes != nullptr) {
    std::memcpy(data.get() + size, bytes, count);
  }
  size += count;
}

void ChunkBuffer::WriteByte(uint8_t value) {
  Write(&value, 1);
}

void ChunkBuffer::WriteInt(int32_t value) {
  const uint32_t bits = static_cast<uint32_t>(value);
  const uint8_t bytes[4] = {static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8),
                            static_cast<uint8_t>(bits >> 16), static_cast<uint8_t>(bits >> 24)};
  Write(bytes, 4);
}

void ChunkBuffer::WriteFloat(float value) {
  uint32_t bits = 0;
  std::memcpy(&bits, &value, 4);
  WriteInt(static_cast<int32_t>(bits));
}

void ChunkBuffer::Clear() {
  if (size > 0) {
    std::memset(data.get(), 0, size);
  }
  size = 0;
}

uint32_t ChunkBuffer::Read(void* destination, uint32_t count) {
  uint8_t* out = static_cast<uint8_t*>(destination);
  uint32_t copied = 0;
  while (copied < count && readPosition < size) {
    out[copied++] = data[readPosition++];
  }
  return copied;
}

bool ChunkBuffer::ReadByte(uint8_t& value) {
  return Read(&value, 1) == 1;
}

bool ChunkBuffer::ReadInt(int32_t& value) {
  uint8_t bytes[4] = {};
  if (Read(bytes, 4) != 4) {
    return false;
  }
  const uint32_t bits = static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
                        (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
  value = static_cast<int32_t>(bits);
  return true;
}

bool ChunkBuffer::ReadFloat(float& value) {
  int32_t bits = 0;
  if (!ReadInt(bits)) {
    return false;
  }
  std::memcpy(&value, &bits, 4);
  return true;
}

}  // namespace VstToolkit
