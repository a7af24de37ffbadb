#pragma once

#include <cstdint>

#include "host/clap/ClapBase.h"
#include "instance/ParameterDetails.h"

namespace VstToolkit {

// The values a CLAP host sees of a parameter. Switches and selectors are their choice's
// number, 0 to n - 1, so hosts draw, automate and list them as steps; every other
// parameter is the normalized value the model takes, unrounded. Any thread: arithmetic
// only, the same the model uses to pick a choice.
class ClapParameterValues final {
 public:
  // The host's bypass: Enabled seen the other way round (1 = bypassed), with no state of
  // its own. Its ID lies far from the parameters' indices, which hosts store in
  // automation, so it never takes the place of one.
  static constexpr clap_id kBypassId = 0x62797073;  // "byps"
  static constexpr int32_t kEnabledIndex = 0;

  // The number of choices (switches 2, selectors theirs), or 0 for a continuous parameter.
  static int32_t ChoicesOf(const ParameterDetails& details);
  // The largest plain value: the last choice, or 1.
  static double MaxOf(const ParameterDetails& details);
  // The plain value of a model value: the choice the model plays for it.
  static double PlainOf(const ParameterDetails& details, float normalized);
  // The model value of a plain one: the nearest choice k, held to the range, as
  // k / (n - 1). A NaN stays NaN (the core refuses it).
  static float NormalizedOf(const ParameterDetails& details, double plain);
  // A choice's number written as text ("2"), read back; false for anything else.
  static bool ReadChoiceNumber(const ParameterDetails& details, const char* text, double& plain);
};

}  // namespace VstToolkit
