// Parameter details and texts for any value.
#include "instance/InstanceCore.h"
#include "model/BoundedCopy.h"
#include "model/Model.h"

namespace VstToolkit {

ParameterDetails InstanceCore::GetParameterDetails(int32_t index) const {
  ParameterDetails details;
  if (!IsParameterIndex(index)) {
    return details;
  }
  details.id = index;
  details.longName = model->GetParameterLongName(index);
  details.shortName = model->GetParameterShortName(index);
  details.label = model->GetParameterLabel(index);
  return details;
}

void InstanceCore::FormatParameterValue(int32_t, float, char* text, int32_t size) const {
  if (text != nullptr && size > 0) {
    text[0] = '\0';
  }
}

bool InstanceCore::ParseParameterValue(int32_t, const char*, float&) const {
  return false;
}

}  // namespace VstToolkit
