// The audio thread's rule: process allocates nothing, locks nothing, waits for nothing.
#include "tools/quorvel-host/Vst3RealtimeChecks.h"

#include <string>

#include "tools/quorvel-host/RealtimeProbe.h"
#include "tools/quorvel-host/TestSignal.h"
#include "tools/quorvel-host/Validator.h"
#include "tools/quorvel-host/Vst3CheckSupport.h"
#include "tools/quorvel-host/Vst3Instance.h"

namespace QuorvelHost {

namespace {

namespace Vst = Steinberg::Vst;

constexpr int32_t kBlockSize = 256;
constexpr int32_t kWarmUpBlocks = 8;
constexpr int32_t kBlocks = 384;

// A block's changes: two automatable parameters, the program now and then, and every
// controller the plug-in maps on one channel, spread over the block.
void FillChanges(Vst3ParameterChanges& changes, const std::vector<Vst::ParameterInfo>& parameters,
                 const std::vector<Vst::ParamID>& controllers, uint32_t& random) {
  changes.Clear();
  for (int n = 0; n < 2 && !parameters.empty(); ++n) {
    random = random * 1664525u + 1013904223u;
    const Vst::ParameterInfo& info = parameters[(random >> 8) % parameters.size()];
    if ((info.flags & Vst::ParameterInfo::kIsHidden) == 0) {
      changes.Add(info.id, static_cast<int32_t>((random >> 4) % kBlockSize), static_cast<double>(random >> 12) / 1048576.0);
    }
  }
  for (size_t i = 0; i < controllers.size(); ++i) {
    changes.Add(controllers[i], static_cast<int32_t>(i * kBlockSize / controllers.size()),
                static_cast<double>((random + i * 11u) % 128u) / 127.0);
  }
}

}  // namespace

void Vst3RealtimeChecks::Run(Validator& validator) {
  const char* check = "process allocates nothing and locks nothing";
  if (!RealtimeProbe::Installed()) {
    validator.Skip(check, "this build of the tool cannot watch the allocator");
    return;
  }
  std::unique_ptr<Vst3Instance> plugin = validator.NewVst3Instance(Validator::kSampleRate, kBlockSize);
  if (plugin == nullptr) {
    validator.FailToCreate(check);
    return;
  }
  const std::vector<Vst::ParameterInfo> parameters = Vst3CheckSupport::Parameters(*plugin);
  std::vector<Vst::ParamID> controllers;
  if (auto* mapping = static_cast<Vst::IMidiMapping*>(plugin->Query(Vst::IMidiMapping::iid))) {
    for (Vst::CtrlNumber controller = 0; controller < 128; ++controller) {
      Vst::ParamID id = 0;
      if (mapping->getMidiControllerAssignment(0, 0, controller, id) == Steinberg::kResultTrue) {
        controllers.push_back(id);
      }
    }
    mapping->release();
  }
  ChannelBuffers input(2, kBlockSize);
  ChannelBuffers output(2, kBlockSize);
  TestSignal::Noise(input, 3, 0.5f, 0, kBlockSize);
  Vst3ParameterChanges changes;
  changes.Reserve(static_cast<int32_t>(controllers.size()) + 4, 4);
  Vst::ProcessContext context{};
  context.state = Vst::ProcessContext::kTempoValid | Vst::ProcessContext::kPlaying;
  uint32_t random = 20261208u;
  int64_t calls = 0;
  std::string first;
  for (int32_t block = 0; block < kWarmUpBlocks + kBlocks; ++block) {
    FillChanges(changes, parameters, controllers, random);
    context.tempo = 60.0 + static_cast<double>(random % 180u);
    float** inputs = input.At(0);
    float** outputs = output.At(0);
    const bool watched = block >= kWarmUpBlocks;
    if (watched) {
      RealtimeProbe::Arm();
    }
    plugin->Process(inputs, outputs, kBlockSize, &changes, &context);
    if (watched) {
      RealtimeProbe::Disarm();
      const int64_t made = RealtimeProbe::Total();
      if (made > 0 && first.empty()) {
        first = "block " + std::to_string(block - kWarmUpBlocks);
      }
      calls += made;
    }
  }
  std::string detail = std::to_string(kBlocks) + " blocks after " + std::to_string(kWarmUpBlocks) +
                       " of warm-up, each with parameter changes, " + std::to_string(controllers.size()) +
                       " mapped controllers and a tempo";
  if (calls > 0) {
    detail += "; " + std::to_string(calls) + " calls, the first in " + first;
  }
  validator.Report(check, calls == 0, detail);
}

}  // namespace QuorvelHost
