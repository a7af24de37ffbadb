#pragma once

#include <cstdint>

#include "model/ParameterKind.h"

namespace VstToolkit {

// What a face tells its host about one parameter, from the plug-in's one parameter table.
struct ParameterDetails {
  int32_t id = -1;  // the parameter's index, the same in every format
  const char* longName = "";
  const char* shortName = "";
  const char* label = "";
  float defaultValue = 0.0f;
  ParameterKind kind = ParameterKind::kContinuous;
  int32_t choiceCount = 0;  // switches 2, selectors their number of choices, else 0
  // A choice k of n is the value k / (n - 1); its name is that value's formatted text.
  // In the units a musician reads (InstanceCore::ValueToUnits): the range, the default,
  // and the SI symbol ("s", "Hz") or "". Switches read 0 or 1 (toggles), selectors their
  // choice's number (whole numbers, an enumeration of the choices' names).
  float minimum = 0.0f;
  float maximum = 1.0f;
  float defaultUnits = 0.0f;
  const char* unit = "";
};

}  // namespace VstToolkit
