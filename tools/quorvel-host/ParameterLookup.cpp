#include "tools/quorvel-host/ParameterLookup.h"

#include <algorithm>
#include <cctype>

#include "tools/quorvel-host/CommandLine.h"
#include "tools/quorvel-host/KnownPlugin.h"
#include "tools/quorvel-host/PluginInstance.h"

namespace QuorvelHost {

namespace {

std::string Folded(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

}  // namespace

ParameterLookup::ParameterLookup(PluginInstance& plugin) {
  for (int32_t i = 0; i < plugin.ParameterCount(); ++i) {
    shortNames_.push_back(plugin.ParameterName(i));
    VstParameterProperties properties{};
    std::string longName;
    if (plugin.Dispatch(effGetParameterProperties, i, 0, &properties) != 0) {
      properties.label[sizeof(properties.label) - 1] = '\0';
      longName = properties.label;
    }
    if (longName.empty()) {
      longName = KnownPlugin::LongParameterName(plugin, i);
    }
    longNames_.push_back(longName);
  }
}

std::string ParameterLookup::LongName(int32_t index) const {
  return index >= 0 && static_cast<size_t>(index) < longNames_.size() ? longNames_[static_cast<size_t>(index)]
                                                                      : "";
}

bool ParameterLookup::Find(const std::string& name, int32_t& index, std::string& error) const {
  int64_t number = 0;
  if (CommandLine::ParseInteger(name, 0, static_cast<int64_t>(shortNames_.size()) - 1, number)) {
    index = static_cast<int32_t>(number);
    return true;
  }
  std::string wanted = Folded(name);
  std::vector<int32_t> matches;
  for (size_t i = 0; i < shortNames_.size(); ++i) {
    if (!wanted.empty() && (Folded(shortNames_[i]) == wanted || Folded(longNames_[i]) == wanted)) {
      matches.push_back(static_cast<int32_t>(i));
    }
  }
  if (matches.size() == 1) {
    index = matches[0];
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
