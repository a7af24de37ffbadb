#pragma once

#include <cstdint>

namespace VstToolkit {

// A VST2 host's saved state as VST3 hosts hand it over when they replace the VST2 plug-in
// with this one: a bank ('FBCh') or program ('FPCh') file image of an opaque chunk, all
// numbers big-endian, optionally after the 'VstW' header Steinberg's hosts write before a
// bank. Lenient where Steinberg's own reader is (any program count from 1, the header's
// bypass flag ignored), strict where it matters (the plug-in's ID, the chunk inside the
// bytes). Only reads: the caller loads the chunk. Any thread.
class Vst2StateImage final {
 public:
  enum class Kind {
    kNotImage,  // neither header: the bytes are some other form
    kInvalid,   // an image, but not one of this plug-in or not whole
    kBank,
    kProgram,
  };

  // Reads the image in the `size` bytes at `bytes`, made for the plug-in `uniqueId`.
  static Vst2StateImage Read(const uint8_t* bytes, uint32_t size, int32_t uniqueId);

  Kind GetKind() const { return kind; }
  const uint8_t* GetChunk() const { return chunk; }
  int32_t GetChunkSize() const { return chunkSize; }
  // A version-2 bank's current program (the first 4 reserved bytes), else -1.
  int32_t GetCurrentProgram() const { return currentProgram; }

 private:
  Kind kind = Kind::kNotImage;
  const uint8_t* chunk = nullptr;
  int32_t chunkSize = 0;
  int32_t currentProgram = -1;
};

}  // namespace VstToolkit
