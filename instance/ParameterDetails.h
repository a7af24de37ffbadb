#pragma once

#include <cstdint>

namespace VstToolkit {

// How hosts should present a parameter.
enum class ParameterKind : int32_t {
  kContinuous,  // any value from 0 to 1
  kSwitch,      // off below 0.5, on from 0.5
  kSelector,    // one of `choiceCount` choices, trunc(value x n) with 1 picking the last
};

// What a face tells its host about one parameter, from the plug-in's one parameter table.
struct ParameterDetails {
  int32_t id = -1;  // the parameter's index, the same in every format
  const char* longName = "";
  const char* shortName = "";
  const char* label = "";
  float defaultValue = 0.0f;
  ParameterKind kind = ParameterKind::kContinuous;
  int32_t choiceCount = 0;  // switches 2, selectors their number of choices, else 0
};

}  // namespace VstToolkit
