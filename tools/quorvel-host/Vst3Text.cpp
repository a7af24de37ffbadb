#include "tools/quorvel-host/Vst3Text.h"

namespace QuorvelHost {

namespace {
// A String128's units, its terminator among them.
constexpr int kLongestText = 128;
}  // namespace

std::string Vst3Text::Ascii(const Steinberg::char16* text) {
  std::string ascii;
  for (int i = 0; text != nullptr && i < kLongestText && text[i] != 0; ++i) {
    ascii.push_back(text[i] < 0x80 ? static_cast<char>(text[i]) : '?');
  }
  return ascii;
}

}  // namespace QuorvelHost
