#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace QuorvelHost {

// The arguments of one subcommand: options ("--name value" or "--name=value")
// checked against the subcommand's list, and positional arguments. A lone
// "--" ends the options.
class CommandLine final {
 public:
  struct Option {
    const char* name;  // without the leading dashes
    bool takesValue;
    bool repeatable;
  };

  // False with a one-line reason in `error`.
  bool Parse(const std::vector<std::string>& args, const std::vector<Option>& options, std::string& error);

  const std::vector<std::string>& Positionals() const { return positionals_; }
  bool Has(const std::string& name) const { return values_.count(name) != 0; }
  // The option's value (the last one given), or `fallback`.
  std::string Value(const std::string& name, const std::string& fallback = "") const;
  std::vector<std::string> Values(const std::string& name) const;

  // Whole-text numbers within a range; false for anything else (trailing
  // characters, NaN, infinities, out of range).
  static bool ParseInteger(const std::string& text, int64_t min, int64_t max, int64_t& value);
  static bool ParseReal(const std::string& text, double min, double max, double& value);
  // The whole of a file an option names (a chunk, a bank); false when it cannot be read.
  static bool ReadFile(const std::string& path, std::vector<uint8_t>& bytes);

 private:
  std::vector<std::string> positionals_;
  std::map<std::string, std::vector<std::string>> values_;
};

}  // namespace QuorvelHost
