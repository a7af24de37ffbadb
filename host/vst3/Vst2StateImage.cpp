#include "host/vst3/Vst2StateImage.h"

namespace VstToolkit {

namespace {

constexpr uint32_t Tag(char a, char b, char c, char d) {
  return static_cast<uint32_t>(a) << 24 | static_cast<uint32_t>(b) << 16 | static_cast<uint32_t>(c) << 8 |
         static_cast<uint32_t>(d);
}

uint32_t BigEndianAt(const uint8_t* bytes, uint32_t at) {
  return static_cast<uint32_t>(bytes[at]) << 24 | static_cast<uint32_t>(bytes[at + 1]) << 16 |
         static_cast<uint32_t>(bytes[at + 2]) << 8 | static_cast<uint32_t>(bytes[at + 3]);
}

// The published layouts: the common part, then the bank's or the program's own.
constexpr uint32_t kFxMagicAt = 8;
constexpr uint32_t kFormatVersionAt = 12;
constexpr uint32_t kIdAt = 16;
constexpr uint32_t kCountAt = 24;
constexpr uint32_t kBankCurrentProgramAt = 28;  // the first of the 128 reserved bytes
constexpr uint32_t kBankChunkSizeAt = 156;
constexpr uint32_t kProgramChunkSizeAt = 56;  // after the 28-byte program name

}  // namespace

Vst2StateImage Vst2StateImage::Read(const uint8_t* bytes, uint32_t size, int32_t uniqueId) {
  Vst2StateImage image;
  if (bytes == nullptr || size < 4) {
    return image;
  }
  uint32_t start = 0;
  const uint32_t magic = BigEndianAt(bytes, 0);
  if (magic == Tag('V', 's', 't', 'W')) {
    // 'VstW', the size of what follows in the header (version and bypass: 8), then those.
    if (size < 8 || BigEndianAt(bytes, 4) < 8 || BigEndianAt(bytes, 4) > size - 8) {
      image.kind = Kind::kInvalid;
      return image;
    }
    start = 8 + BigEndianAt(bytes, 4);
  } else if (magic != Tag('C', 'c', 'n', 'K')) {
    return image;
  }
  image.kind = Kind::kInvalid;
  const uint8_t* fx = bytes + start;
  const uint32_t fxSize = size - start;
  if (fxSize < kProgramChunkSizeAt + 4 || BigEndianAt(fx, 0) != Tag('C', 'c', 'n', 'K') ||
      BigEndianAt(fx, kIdAt) != static_cast<uint32_t>(uniqueId)) {
    return image;
  }
  const uint32_t fxMagic = BigEndianAt(fx, kFxMagicAt);
  uint32_t chunkSizeAt = 0;
  if (fxMagic == Tag('F', 'B', 'C', 'h')) {
    const auto programs = static_cast<int32_t>(BigEndianAt(fx, kCountAt));
    if (fxSize < kBankChunkSizeAt + 4 || programs < 1) {
      return image;
    }
    chunkSizeAt = kBankChunkSizeAt;
    if (BigEndianAt(fx, kFormatVersionAt) >= 2) {
      image.currentProgram = static_cast<int32_t>(BigEndianAt(fx, kBankCurrentProgramAt));
    }
  } else if (fxMagic == Tag('F', 'P', 'C', 'h')) {
    chunkSizeAt = kProgramChunkSizeAt;
  } else {
    return image;
  }
  const uint32_t chunkSize = BigEndianAt(fx, chunkSizeAt);
  const uint32_t chunkAt = chunkSizeAt + 4;
  if (chunkSize == 0 || chunkSize > fxSize - chunkAt || chunkSize > 0x7FFFFFFFu) {
    return image;
  }
  image.kind = fxMagic == Tag('F', 'B', 'C', 'h') ? Kind::kBank : Kind::kProgram;
  image.chunk = fx + chunkAt;
  image.chunkSize = static_cast<int32_t>(chunkSize);
  return image;
}

}  // namespace VstToolkit
