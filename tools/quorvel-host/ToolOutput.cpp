#include "tools/quorvel-host/ToolOutput.h"

#include <cstdio>

namespace QuorvelHost {

int ToolOutput::Error(const char* command, const std::string& message, int code) {
  std::fprintf(stderr, "quorvel-host %s: %s\n", command, message.c_str());
  return code;
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
