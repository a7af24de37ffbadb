#include "host/vst3/Utf16Text.h"

namespace VstToolkit {

void Utf16Text::FromAscii(Steinberg::char16* destination, int32_t size, const char* text) {
  if (destination == nullptr || size <= 0) {
    return;
  }
  int32_t i = 0;
  for (; text != nullptr && text[i] != '\0' && i < size - 1; ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    destination[i] = byte < 0x80 ? static_cast<Steinberg::char16>(byte) : u'?';
  }
  destination[i] = u'\0';
}

bool Utf16Text::ToAscii(char* destination, int32_t size, const Steinberg::char16* text) {
  if (destination == nullptr || size <= 0) {
    return false;
  }
  bool ascii = true;
  int32_t i = 0;
  for (; text != nullptr && text[i] != u'\0' && i < size - 1; ++i) {
    ascii = ascii && text[i] < 0x80;
    destination[i] = text[i] < 0x80 ? static_cast<char>(text[i]) : '?';
  }
  destination[i] = '\0';
  return ascii;
}

}  // namespace VstToolkit
