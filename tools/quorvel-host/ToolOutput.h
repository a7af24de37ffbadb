#pragma once

#include <cstdint>
#include <string>

namespace QuorvelHost {

// The tool's conventions for what it prints: exit codes, error lines and the
// few renderings of plug-in facts that several subcommands share.
class ToolOutput final {
 public:
  static constexpr int kSuccess = 0;
  static constexpr int kFailure = 1;
  static constexpr int kUsageError = 2;

  // "quorvel-host <command>: <message>" on standard error; returns `code`.
  static int Error(const char* command, const std::string& message, int code = kFailure);

  static std::string Hex(uint32_t value);
  // Three significant digits ("0.000123", "1.5e-10").
  static std::string Number(double value);
};

}  // namespace QuorvelHost
