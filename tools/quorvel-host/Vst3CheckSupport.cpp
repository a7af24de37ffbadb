#include "tools/quorvel-host/Vst3CheckSupport.h"

#include "tools/quorvel-host/Validator.h"
#include "tools/quorvel-host/HostedVst3.h"
#include "tools/quorvel-host/Vst3Instance.h"

namespace QuorvelHost {

ChannelBuffers Vst3CheckSupport::Process(Vst3Instance& plugin, ChannelBuffers& input, int32_t blockSize) {
  const std::unique_ptr<HostedPlugin> hosted = HostedVst3::Borrow(plugin);
  return Validator::Process(*hosted, input, blockSize);
}

std::vector<Steinberg::Vst::ParameterInfo> Vst3CheckSupport::Parameters(Vst3Instance& plugin) {
  std::vector<Steinberg::Vst::ParameterInfo> parameters;
  if (plugin.Controller() == nullptr) {
    return parameters;
  }
  for (Steinberg::int32 i = 0; i < plugin.Controller()->getParameterCount(); ++i) {
    Steinberg::Vst::ParameterInfo info{};
    if (plugin.Controller()->getParameterInfo(i, info) == Steinberg::kResultOk) {
      parameters.push_back(info);
    }
  }
  return parameters;
}

void Vst3CheckSupport::Flush(Vst3Instance& plugin,
                             const std::vector<std::pair<Steinberg::Vst::ParamID, double>>& changes) {
  Vst3ParameterChanges queued;
  for (const auto& change : changes) {
    queued.Add(change.first, 0, change.second);
  }
  plugin.Process(nullptr, nullptr, 0, &queued, nullptr);
}

}  // namespace QuorvelHost
