#include "tools/quorvel-host/KnownPlugin.h"

#include <climits>
#include <memory>

#include "delay/DelayParameterTable.h"
#include "delay/QuorvelDelayModel.h"
#include "instance/InstanceCore.h"

namespace QuorvelHost {

float KnownPlugin::Lv2Units(int32_t index, float value) {
  static const QuorvelDelayModel units;
  return units.ValueToUnits(index, value);
}

std::vector<float> KnownPlugin::Lv2UnitsOf(const std::vector<uint8_t>& state) {
  VstToolkit::InstanceCore core(std::make_unique<QuorvelDelayModel>());
  std::vector<float> units;
  if (state.size() <= static_cast<size_t>(INT32_MAX) &&
      core.LoadInstanceState(state.data(), static_cast<int32_t>(state.size()))) {
    for (int32_t i = 0; i < DelayParameter::kCount; ++i) {
      units.push_back(core.ValueToUnits(i, core.GetParameter(i)));
    }
  }
  return units;
}

}  // namespace QuorvelHost
