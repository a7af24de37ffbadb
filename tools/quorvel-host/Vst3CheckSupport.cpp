#include "tools/quorvel-host/Vst3CheckSupport.h"

#include <cmath>

#include "tools/quorvel-host/Validator.h"
#include "tools/quorvel-host/BlockRunner.h"
#include "tools/quorvel-host/HostedVst3.h"
#include "tools/quorvel-host/Vst3Instance.h"

namespace QuorvelHost {

ChannelBuffers Vst3CheckSupport::Process(Vst3Instance& plugin, ChannelBuffers& input, int32_t blockSize,
                                         bool inPlace) {
  const std::unique_ptr<HostedPlugin> hosted = HostedVst3::Borrow(plugin);
  BlockRunner runner(*hosted, blockSize);
  if (inPlace) {
    ChannelBuffers buffers = input;
    runner.Run(buffers, buffers);
    return buffers;
  }
  ChannelBuffers output(2, input.Frames());
  runner.Run(input, output);
  return output;
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

int64_t Vst3CheckSupport::BadSamples(const ChannelBuffers& buffers) {
  int64_t bad = 0;
  for (int32_t c = 0; c < buffers.Channels(); ++c) {
    for (int64_t i = 0; i < buffers.Frames(); ++i) {
      const float sample = buffers.Channel(c)[i];
      bad += !std::isfinite(sample) || std::fpclassify(sample) == FP_SUBNORMAL ? 1 : 0;
    }
  }
  return bad;
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
