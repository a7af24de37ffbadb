#include "tools/quorvel-host/HostedParameter.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "tools/quorvel-host/CommandLine.h"

namespace QuorvelHost {

namespace {

std::string Folded(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

}  // namespace

double HostedParameter::PlainOf(double normalized) const {
  if (kind == Kind::kContinuous) {
    return min + std::clamp(normalized, 0.0, 1.0) * (max - min);
  }
  const double count =
      choices.empty() ? std::floor(std::max(max - min, 0.0)) + 1.0 : static_cast<double>(choices.size());
  // In single precision, as a VST2 plug-in picks its choice from the value.
  const float scaled = static_cast<float>(normalized) * static_cast<float>(count);
  double choice = 0.0;
  if (scaled >= static_cast<float>(count)) {
    choice = count - 1.0;
  } else if (scaled >= 1.0f) {
    choice = std::floor(static_cast<double>(scaled));
  }
  return count > 1.0 ? min + choice * (max - min) / (count - 1.0) : min;
}

double HostedParameter::NormalizedOf(double plain) const {
  return max > min ? std::clamp((plain - min) / (max - min), 0.0, 1.0) : 0.0;
}

bool HostedParameter::Find(const std::vector<HostedParameter>& parameters, const std::string& name,
                           int32_t& index, std::string& error) {
  int64_t number = 0;
  if (CommandLine::ParseInteger(name, 0, UINT32_MAX, number)) {
    for (size_t i = 0; i < parameters.size(); ++i) {
      if (parameters[i].id == static_cast<uint32_t>(number)) {
        index = static_cast<int32_t>(i);
        return true;
      }
    }
  }
  std::string wanted = Folded(name);
  std::vector<size_t> matches;
  for (size_t i = 0; i < parameters.size(); ++i) {
    if (!wanted.empty() &&
        (Folded(parameters[i].shortName) == wanted || Folded(parameters[i].name) == wanted)) {
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

bool HostedParameter::ParseSetting(const std::vector<HostedParameter>& parameters, const std::string& setting,
                                   int32_t& index, float& value, std::string& error) {
  size_t equals = setting.rfind('=');
  if (equals == std::string::npos) {
    error = "parameter setting '" + setting + "' is not NAME=VALUE";
    return false;
  }
  if (!Find(parameters, setting.substr(0, equals), index, error)) {
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
