#include "host/vst3/Vst2ClassId.h"

namespace VstToolkit {

namespace {

Steinberg::FUID Derive(char kind, int32_t uniqueId, const char* name) {
  uint8_t bytes[16] = {'V', 'S', static_cast<uint8_t>(kind)};
  const auto id = static_cast<uint32_t>(uniqueId);
  bytes[3] = static_cast<uint8_t>(id >> 24);
  bytes[4] = static_cast<uint8_t>(id >> 16);
  bytes[5] = static_cast<uint8_t>(id >> 8);
  bytes[6] = static_cast<uint8_t>(id);
  for (int i = 0; i < 9 && name != nullptr && name[i] != '\0'; ++i) {
    const char c = name[i];
    bytes[7 + i] = static_cast<uint8_t>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  }
  const auto word = [&](int first) {
    return static_cast<uint32_t>(bytes[first]) << 24 | static_cast<uint32_t>(bytes[first + 1]) << 16 |
           static_cast<uint32_t>(bytes[first + 2]) << 8 | static_cast<uint32_t>(bytes[first + 3]);
  };
  return Steinberg::FUID(word(0), word(4), word(8), word(12));
}

}  // namespace

Steinberg::FUID Vst2ClassId::Processor(int32_t uniqueId, const char* name) {
  return Derive('T', uniqueId, name);
}

Steinberg::FUID Vst2ClassId::EditController(int32_t uniqueId, const char* name) {
  return Derive('E', uniqueId, name);
}

}  // namespace VstToolkit
