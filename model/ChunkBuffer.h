#pragma once

#include <cstdint>
#include <memory>

namespace VstToolkit {

// The growable byte buffer of state chunks, used in two roles. A writing buffer
// starts empty with capacity 256 and grows by doubling; the controller keeps one
// for its whole life and hands the host a pointer to its bytes. A reading buffer
// holds a private copy of a host's chunk and a read position.
// Integers and floats are stored little-endian whatever the platform.
// Threads: whichever thread saves or loads; one buffer is never shared by two at once.
class ChunkBuffer final {
 public:
  static constexpr uint32_t kInitialCapacity = 256;

  // An empty writing buffer of capacity 256.
  ChunkBuffer();
  // A reading buffer over a copy of `size` bytes at `bytes` (null only when size is 0).
  ChunkBuffer(const void* bytes, uint32_t size);
  ChunkBuffer(const ChunkBuffer&) = delete;
  ChunkBuffer& operator=(const ChunkBuffer&) = delete;

  // Writing: each append first grows the capacity, doubling it until the bytes fit.
  void Write(const void* bytes, uint32_t count);
  void WriteByte(uint8_t value);
  void WriteInt(int32_t value);
  void WriteFloat(float value);
  // Zeroes the bytes written so far and empties the buffer; the capacity stays.
  void Clear();

  // Reading: copies up to `count` bytes from the read position and advances it.
  // Returns the number of bytes copied; a short read still consumes what was there.
  uint32_t Read(void* destination, uint32_t count);
  bool ReadByte(uint8_t& value);
  bool ReadInt(int32_t& value);
  bool ReadFloat(float& value);

  const uint8_t* GetData() const { return data.get(); }
  uint32_t GetSize() const { return size; }
  uint32_t GetCapacity() const { return capacity; }
  uint32_t GetReadPosition() const { return readPosition; }

 private:
  void Reserve(uint32_t count);

  std::unique_ptr<uint8_t[]> data;
  uint32_t size = 0;
  uint32_t capacity = 0;
  uint32_t readPosition = 0;
};

}  // namespace VstToolkit
