#include "tools/quorvel-host/KnownPlugin.h"

#include "delay/DelayParameterTable.h"
#include "delay/QuorvelDelayDescription.h"
#include "tools/quorvel-host/PluginInstance.h"

namespace QuorvelHost {

namespace {

constexpr float kBenchFeedback = 0.7f;

const char* ShortName(int32_t index) {
  return kQuorvelDelayDescription.parameters[index].shortName;
}

}  // namespace

bool KnownPlugin::IsQuorvelDelay(PluginInstance& plugin) {
  return plugin.UniqueId() == kQuorvelDelayDescription.uniqueId &&
         plugin.GetText(effGetEffectName) == kQuorvelDelayDescription.effectName &&
         plugin.ParameterCount() == kQuorvelDelayDescription.parameterCount;
}

std::string KnownPlugin::LongParameterName(PluginInstance& plugin, int32_t index) {
  if (index < 0 || index >= kQuorvelDelayDescription.parameterCount || !IsQuorvelDelay(plugin)) {
    return "";
  }
  return kQuorvelDelayDescription.parameters[index].longName;
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
