#include "host/vst3/StateStream.h"

namespace VstToolkit {

bool StateStream::ReadAll(Steinberg::IBStream* stream, std::vector<uint8_t>& bytes, int32_t limit) {
  bytes.clear();
  if (stream == nullptr) {
    return false;
  }
  constexpr int32_t kPiece = 4096;
  for (;;) {
    const std::size_t had = bytes.size();
    bytes.resize(had + kPiece);
    Steinberg::int32 read = 0;
    const Steinberg::tresult result = stream->read(bytes.data() + had, kPiece, &read);
    if (read < 0 || read > kPiece) {
      return false;
    }
    bytes.resize(had + static_cast<std::size_t>(read));
    if (bytes.size() > static_cast<std::size_t>(limit)) {
      return false;
    }
    // The end: nothing more came, or the stream said it could give no more.
    if (read == 0 || result != Steinberg::kResultOk) {
      return true;
    }
  }
}

bool StateStream::WriteAll(Steinberg::IBStream* stream, const uint8_t* data, int32_t size) {
  if (stream == nullptr) {
    return false;
  }
  int32_t done = 0;
  while (done < size) {
    Steinberg::int32 written = 0;
    // The stream does not write through the pointer it is given; the interface only lacks a const.
    auto* piece = const_cast<uint8_t*>(data + done);
    if (stream->write(piece, size - done, &written) != Steinberg::kResultOk || written <= 0 || written > size - done) {
      return false;
    }
    done += written;
  }
  return true;
}

}  // namespace VstToolkit
