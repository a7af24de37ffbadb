#include "tools/quorvel-host/KnownPlugin.h"

#include "tools/quorvel-host/PluginInstance.h"

namespace QuorvelHost {

namespace {

constexpr VstInt32 kQuorvelDelayId = CCONST('Q', 'D', 'l', 'y');
constexpr char kQuorvelDelayName[] = "Quorvel Delay";
constexpr float kBenchFeedback = 0.7f;

}  // namespace

bool KnownPlugin::IsQuorvelDelay(PluginInstance& plugin) {
  return plugin.UniqueId() == kQuorvelDelayId && plugin.GetText(effGetEffectName) == kQuorvelDelayName;
}

std::string KnownPlugin::LongParameterName(PluginInstance& plugin, int32_t index) {
  (void)plugin;
  (void)index;
  return "";
}

std::vector<KnownPlugin::Variant> KnownPlugin::BenchVariants(PluginInstance& plugin) {
  if (!IsQuorvelDelay(plugin)) {
    return {{"plain", {}}};
  }
  return {{"plain", {{"FB", kBenchFeedback}}},
          {"low-pass", {{"FB", kBenchFeedback}, {"FOn", 1.0f}, {"FType", 0.0f}}},
          {"high-pass", {{"FB", kBenchFeedback}, {"FOn", 1.0f}, {"FType", 1.0f}}},
          {"pan", {{"FB", kBenchFeedback}, {"POn", 1.0f}}}};
}

}  // namespace QuorvelHost
