#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/quorvel-host/HostedParameter.h"

namespace QuorvelHost {

// Finds a plug-in's parameters by what a user types: the number the format gives it (a
// VST2 index, a VST3 or CLAP ID, an LV2 port), its short name or its long name, without
// regard to letter case.
// Threads: any (it holds its own copy of the names).
class ParameterLookup final {
 public:
  explicit ParameterLookup(const std::vector<HostedParameter>& parameters);

  // False with a one-line reason when no parameter or more than one matches; `index`
  // counts in the list the lookup was made from.
  bool Find(const std::string& name, int32_t& index, std::string& error) const;

  // Parses "NAME=VALUE" with a normalised value from 0 to 1.
  bool ParseSetting(const std::string& setting, int32_t& index, float& value, std::string& error) const;

 private:
  std::vector<HostedParameter> parameters_;
};

}  // namespace QuorvelHost
