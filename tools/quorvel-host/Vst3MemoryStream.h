#pragma once

#include <cstdint>
#include <vector>

#include "host/vst3/Vst3Base.h"
#include "tools/quorvel-host/Vst3Unknown.h"

namespace QuorvelHost {

// The host's IBStream over bytes in memory, as hosts hand plug-ins their state. It can
// deliver and take the bytes in pieces of at most `piece` bytes per call, as some hosts'
// streams do. Lives on the stack of its user; the plug-in's references are only counted.
class Vst3MemoryStream final : public Vst3Unknown<Steinberg::IBStream> {
 public:
  explicit Vst3MemoryStream(std::vector<uint8_t> bytes = {}, int32_t piece = 0x7FFFFFFF);

  const std::vector<uint8_t>& Bytes() const { return bytes_; }

  Steinberg::tresult read(void* buffer, Steinberg::int32 numBytes, Steinberg::int32* numBytesRead) override;
  Steinberg::tresult write(void* buffer, Steinberg::int32 numBytes, Steinberg::int32* numBytesWritten) override;
  Steinberg::tresult seek(Steinberg::int64 pos, Steinberg::int32 mode, Steinberg::int64* result) override;
  Steinberg::tresult tell(Steinberg::int64* pos) override;

 private:
  std::vector<uint8_t> bytes_;
  int32_t piece_;
  size_t position_ = 0;
};

}  // namespace QuorvelHost
