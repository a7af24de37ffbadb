#pragma once

#include <string>

#include "host/vst3/Vst3Base.h"

namespace QuorvelHost {

// The texts a VST3 plug-in hands its host (titles, units, names: UTF-16 in String128s).
class Vst3Text final {
 public:
  // Any thread: the text as ASCII, up to its terminator or the String128's end (its 128
  // units, the terminator among them), whichever comes first; every character past ASCII
  // as '?', a null pointer as "".
  static std::string Ascii(const Steinberg::char16* text) {
    std::string ascii;
    for (int i = 0; text != nullptr && i < 128 && text[i] != 0; ++i) {
      ascii.push_back(text[i] < 0x80 ? static_cast<char>(text[i]) : '?');
    }
    return ascii;
  }
};

}  // namespace QuorvelHost
