#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace QuorvelHost {

// A plug-in's parameter as the format describes it: its kind, its range in the format's
// own plain values (what the plug-in is handed), and its texts. Users speak VST2's
// normalized value from 0 to 1 for every format; PlainOf turns that into the format's.
// Threads: any (a description, read only once made).
struct HostedParameter {
  enum class Kind { kContinuous, kSwitch, kChoice, kBypass };  // in the order of info's names

  uint32_t id = 0;        // the format's own: VST2 index, VST3 ParamID, clap_id, LV2 port
  std::string name;       // the long name or title
  std::string shortName;  // the short name, short title or symbol
  std::string unit;
  Kind kind = Kind::kContinuous;
  double min = 0.0;
  double max = 1.0;
  double defaultValue = 0.0;
  std::vector<std::string> choices;  // a choice's texts, where the format tells them

  // A continuous value lies linearly over the range; of a switch's, a bypass's or a
  // choice's n values, evenly spread over the range, it is the one a VST2 plug-in picks
  // (the k-th of n equal parts of 0 to 1, in single precision).
  double PlainOf(double normalized) const;
  // The inverse: a plain value as the normalized value 0 to 1 (choices at k / (n - 1)).
  double NormalizedOf(double plain) const;

  // Finds a parameter by what a user types: the number the format gives it (a VST2 index, a
  // VST3 or CLAP ID, an LV2 port), its short name or its long name, without regard to letter
  // case. False with a one-line reason when none or more than one matches; `index` counts in
  // `parameters`.
  static bool Find(const std::vector<HostedParameter>& parameters, const std::string& name, int32_t& index,
                   std::string& error);
  // Parses "NAME=VALUE" with a normalised value from 0 to 1.
  static bool ParseSetting(const std::vector<HostedParameter>& parameters, const std::string& setting,
                           int32_t& index, float& value, std::string& error);
};

}  // namespace QuorvelHost
