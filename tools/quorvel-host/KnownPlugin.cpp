#include "tools/quorvel-host/KnownPlugin.h"

#include <climits>
#include <memory>

#include "delay/DelayParameterTable.h"
#include "delay/QuorvelDelayDescription.h"
#include "delay/QuorvelDelayModel.h"
#include "instance/InstanceCore.h"
#include "tools/quorvel-host/HostedVst2.h"

namespace QuorvelHost {

namespace {

bool IsQuorvelDelay(const HostedVst2& plugin) {
  return plugin.UniqueId() == kQuorvelDelayDescription.uniqueId &&
         plugin.GetText(effGetEffectName) == kQuorvelDelayDescription.effectName &&
         plugin.ParameterCount() == kQuorvelDelayDescription.parameterCount;
}

}  // namespace

std::string KnownPlugin::LongParameterName(const HostedVst2& plugin, int32_t index) {
  if (index < 0 || index >= kQuorvelDelayDescription.parameterCount || !IsQuorvelDelay(plugin)) {
    return "";
  }
  return kQuorvelDelayDescription.parameters[index].longName;
}

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
