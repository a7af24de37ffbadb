#include "tools/quorvel-host/ToolOutput.h"

#include <cstdio>

namespace QuorvelHost {

int ToolOutput::Error(const char* command, const std::string& message, int code) {
  std::fprintf(stderr, "quorvel-host %s: %s\n", command, message.c_str());
  return code;
}

std::string ToolOutput::FourCharacters(int32_t id) {
  auto bits = static_cast<uint32_t>(id);
  std::string text;
  for (int shift = 24; shift >= 0; shift -= 8) {
    auto c = static_cast<char>((bits >> shift) & 0xFFu);
    text += (c >= 0x20 && c < 0x7F) ? c : '?';
  }
  return text;
}

std::string ToolOutput::Hex(uint32_t value) {
  char text[32];
  std::snprintf(text, sizeof(text), "0x%08lX", static_cast<unsigned long>(value));
  return text;
}

std::string ToolOutput::Number(double value) {
  char text[32];
  std::snprintf(text, sizeof(text), "%.3g", value);
  return text;
}

}  // namespace QuorvelHost
