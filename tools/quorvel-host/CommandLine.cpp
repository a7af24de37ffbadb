#include "tools/quorvel-host/CommandLine.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace QuorvelHost {

namespace {

// The whole of `text`, read by `read` (strtoll or strtod), within [min, max]: no blanks, no
// trailing characters, nothing out of range, NaN or infinite.
template <typename Number, typename Read>
bool ParseWhole(const std::string& text, Number min, Number max, Number& value, Read read) {
  if (text.empty() || text.find_first_of(" \t\n") != std::string::npos) {
    return false;
  }
  errno = 0;
  char* end = nullptr;
  const Number parsed = read(text.c_str(), &end);
  if (errno != 0 || end == nullptr || *end != '\0' || !std::isfinite(static_cast<double>(parsed)) ||
      parsed < min || parsed > max) {
    return false;
  }
  value = parsed;
  return true;
}

}  // namespace

bool CommandLine::Parse(const std::vector<std::string>& args, const std::vector<Option>& options,
                        std::string& error) {
  positionals_.clear();
  values_.clear();
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
      positionals_.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    const size_t equals = arg.find('=');
    const bool hasInlineValue = equals != std::string::npos;
    const std::string name = arg.substr(2, hasInlineValue ? equals - 2 : std::string::npos);
    std::string value = hasInlineValue ? arg.substr(equals + 1) : std::string();
    const auto option = std::find_if(options.begin(), options.end(),
                                     [&name](const Option& candidate) { return name == candidate.name; });
    if (option == options.end()) {
      error = "unknown option --" + name;
      return false;
    }
    if (option->takesValue && !hasInlineValue) {
      if (i + 1 >= args.size()) {
        error = "option --" + name + " needs a value";
        return false;
      }
      value = args[++i];
    } else if (!option->takesValue && hasInlineValue) {
      error = "option --" + name + " takes no value";
      return false;
    }
    if (!option->repeatable && values_.count(name) != 0) {
      error = "option --" + name + " given more than once";
      return false;
    }
    values_[name].push_back(value);
  }
  return true;
}

std::string CommandLine::Value(const std::string& name, const std::string& fallback) const {
  auto it = values_.find(name);
  return it == values_.end() ? fallback : it->second.back();
}

std::vector<std::string> CommandLine::Values(const std::string& name) const {
  auto it = values_.find(name);
  return it == values_.end() ? std::vector<std::string>{} : it->second;
}

bool CommandLine::ParseInteger(const std::string& text, int64_t min, int64_t max, int64_t& value) {
  return ParseWhole<int64_t>(text, min, max, value,
                             [](const char* start, char** end) { return std::strtoll(start, end, 10); });
}

bool CommandLine::ParseReal(const std::string& text, double min, double max, double& value) {
  return ParseWhole<double>(text, min, max, value,
                            [](const char* start, char** end) { return std::strtod(start, end); });
}

bool CommandLine::ReadFile(const std::string& path, std::vector<uint8_t>& bytes) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    return false;
  }
  bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return !file.bad();
}

}  // namespace QuorvelHost
