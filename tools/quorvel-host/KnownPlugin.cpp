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

constexpr float kBenchFeedback = 0.7f;

const char* ShortName(int32_t index) {
  return kQuorvelDelayDescription.parameters[index].shortName;
}

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

std::vector<KnownPlugin::Variant> KnownPlugin::BenchVariants(const std::string& pluginName) {
  if (pluginName != kQuorvelDelayDescription.effectName) {
    return {{"plain", {}}};
  }
  using namespace DelayParameter;
  const Setting feedback = {ShortName(kFeedback), kBenchFeedback};
  return {{"plain", {feedback}},
          {"low-pass", {feedback, {ShortName(kFilter), 1.0f}, {ShortName(kFilterType), 0.0f}}},
          {"high-pass", {feedback, {ShortName(kFilter), 1.0f}, {ShortName(kFilterType), 1.0f}}},
          {"pan", {feedback, {ShortName(kPan), 1.0f}}}};
}

}  // namespace QuorvelHost
