#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace QuorvelHost {

class PluginInstance;

// Finds a plug-in's parameters by what a user types: an index, the short name
// the plug-in reports, or a long name (from effGetParameterProperties, or
// from this project's own parameter table when the module is Quorvel Delay).
// Names compare without regard to letter case.
class ParameterLookup final {
 public:
  explicit ParameterLookup(PluginInstance& plugin);

  // False with a one-line reason when no parameter or more than one matches.
  bool Find(const std::string& name, int32_t& index, std::string& error) const;
  // The long name, or "" when none is known.
  std::string LongName(int32_t index) const;

  // Parses "NAME=VALUE" with a normalised value from 0 to 1.
  bool ParseSetting(const std::string& setting, int32_t& index, float& value, std::string& error) const;

 private:
  std::vector<std::string> shortNames_;
  std::vector<std::string> longNames_;
};

}  // namespace QuorvelHost
