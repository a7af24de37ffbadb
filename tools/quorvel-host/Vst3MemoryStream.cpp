#include "tools/quorvel-host/Vst3MemoryStream.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace QuorvelHost {

Vst3MemoryStream::Vst3MemoryStream(std::vector<uint8_t> bytes, int32_t piece)
    : bytes_(std::move(bytes)), piece_(piece > 0 ? piece : 1) {}

Steinberg::tresult Vst3MemoryStream::read(void* buffer, Steinberg::int32 numBytes, Steinberg::int32* numBytesRead) {
  if (buffer == nullptr || numBytes < 0) {
    return Steinberg::kInvalidArgument;
  }
  const size_t left = position_ < bytes_.size() ? bytes_.size() - position_ : 0;
  const size_t count = std::min({left, static_cast<size_t>(numBytes), static_cast<size_t>(piece_)});
  if (count > 0) {
    std::memcpy(buffer, bytes_.data() + position_, count);
  }
  position_ += count;
  if (numBytesRead != nullptr) {
    *numBytesRead = static_cast<Steinberg::int32>(count);
  }
  return Steinberg::kResultOk;
}

Steinberg::tresult Vst3MemoryStream::write(void* buffer, Steinberg::int32 numBytes,
                                           Steinberg::int32* numBytesWritten) {
  if (buffer == nullptr || numBytes < 0) {
    return Steinberg::kInvalidArgument;
  }
  const size_t count = std::min(static_cast<size_t>(numBytes), static_cast<size_t>(piece_));
  if (bytes_.size() < position_ + count) {
    bytes_.resize(position_ + count);
  }
  std::memcpy(bytes_.data() + position_, buffer, count);
  position_ += count;
  if (numBytesWritten != nullptr) {
    *numBytesWritten = static_cast<Steinberg::int32>(count);
  }
  return Steinberg::kResultOk;
}

Steinberg::tresult Vst3MemoryStream::seek(Steinberg::int64 pos, Steinberg::int32 mode, Steinberg::int64* result) {
  const Steinberg::int64 base = mode == kIBSeekSet   ? 0
                                : mode == kIBSeekCur ? static_cast<Steinberg::int64>(position_)
                                                     : static_cast<Steinberg::int64>(bytes_.size());
  if (base + pos < 0) {
    return Steinberg::kInvalidArgument;
  }
  position_ = static_cast<size_t>(base + pos);
  if (result != nullptr) {
    *result = static_cast<Steinberg::int64>(position_);
  }
  return Steinberg::kResultOk;
}

Steinberg::tresult Vst3MemoryStream::tell(Steinberg::int64* pos) {
  if (pos == nullptr) {
    return Steinberg::kInvalidArgument;
  }
  *pos = static_cast<Steinberg::int64>(position_);
  return Steinberg::kResultOk;
}

}  // namespace QuorvelHost
