#include "tools/quorvel-host/ParameterLookup.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

#include "tools/quorvel-host/CommandLine.h"

namespace QuorvelHost {

namespace {

std::string Folded(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

}  // namespace

ParameterLookup::ParameterLookup(const std::vector<HostedParameter>& parameters) : parameters_(parameters) {}

bool ParameterLookup::Find(const std::string& name, int32_t& index, std::string& error) const {
  int64_t number = 0;
  if (CommandLine::ParseInteger(name, 0, UINT32_MAX, number)) {
    for (size_t i = 0; i < parameters_.size(); ++i) {
      if (parameters_[i].id == static_cast<uint32_t>(number)) {
        index = static_cast<int32_t>(i);
        return true;
      }
    }
  }
  std::string wanted = Folded(name);
  std::vector<size_t> matches;
  for (size_t i = 0; i < parameters_.size(); ++i) {
    if (!wanted.empty() && (Folded(parameters_[i].shortName) == wanted || Folded(parameters_[i].name) == wanted)) {
      matches.push_back(i);
    }
  }
  if (matches.size() == 1) {
    index = static_cast<int32_t>(matches[0]);
    return true;
  }
  error = matches.empty() ? "unknown parameter '" + name + "' (see the parameter list of 'info')"
                          : "parameter name '" + name + "' is ambiguous; give its index";
  return false;
}

bool ParameterLookup::ParseSetting(const std::string& setting, int32_t& index, float& value,
                                   std::string& error) const {
  size_t equals = setting.rfind('=');
  if (equals == std::string::npos) {
    error = "parameter setting '" + setting + "' is not NAME=VALUE";
    return false;
  }
  if (!Find(setting.substr(0, equals), index, error)) {
    return false;
  }
  double number = 0.0;
  std::string text = setting.substr(equals + 1);
  if (!CommandLine::ParseReal(text, 0.0, 1.0, number)) {
    error =
        "value '" + text + "' of parameter '" + setting.substr(0, equals) + "' is not a number from 0 to 1";
    return false;
  }
  value = static_cast<float>(number);
  return true;
}

}  // namespace QuorvelHost
