// Parameter details and texts for any value. The model answers them from its parameter
// table without trace lines and without its live values, so any thread may ask at any time.
#include <cstring>

#include "instance/InstanceCore.h"
#include "model/BoundedCopy.h"
#include "model/Model.h"

namespace VstToolkit {

namespace {

// No display text comes near this length; a longer text (or one a host left unterminated)
// is not read past it.
constexpr std::size_t kLongestReadText = 64;

}  // namespace

ParameterDetails InstanceCore::GetParameterDetails(int32_t index) const {
  ParameterDetails details;
  if (!IsParameterIndex(index)) {
    return details;
  }
  details.id = index;
  details.longName = model->ParameterLongName(index);
  details.shortName = model->ParameterShortName(index);
  details.label = model->GetParameterLabel(index);
  details.defaultValue = model->GetParameterDefault(index);
  details.kind = model->GetParameterKind(index);
  details.choiceCount = model->GetParameterChoiceCount(index);
  const ParameterUnits units = model->GetParameterUnits(index);
  details.minimum = units.minimum;
  details.maximum = units.maximum;
  details.defaultUnits = model->ValueToUnits(index, details.defaultValue);
  details.unit = units.unit;
  return details;
}

float InstanceCore::ValueToUnits(int32_t index, float value) const {
  return IsParameterIndex(index) && AcceptParameterValue(value) ? model->ValueToUnits(index, value) : 0.0f;
}

// NaN stays NaN, so a caller that sets what comes back has it refused.
float InstanceCore::UnitsToValue(int32_t index, float units) const {
  return IsParameterIndex(index) ? model->UnitsToValue(index, units) : 0.0f;
}

// The display field's text whole (seven characters at most, as VST2 hosts see the
// display), cut to `size` - 1 characters. A NaN, which SetParameter refuses, has none.
void InstanceCore::FormatParameterValue(int32_t index, float value, char* text, int32_t size) const {
  if (text == nullptr || size <= 0) {
    return;
  }
  const bool known = IsParameterIndex(index) && AcceptParameterValue(value);
  BoundedCopy(text, known ? model->FormatParameterValue(index, value).c_str() : "",
              static_cast<std::size_t>(size));
}

bool InstanceCore::ParseParameterValue(int32_t index, const char* text, float& value) const {
  if (text == nullptr || !IsParameterIndex(index) || strnlen(text, kLongestReadText) == kLongestReadText) {
    return false;
  }
  float read = 0.0f;
  if (!model->ParseParameterValue(index, text, read) || !AcceptParameterValue(read)) {
    return false;
  }
  value = read;
  return true;
}

}  // namespace VstToolkit
