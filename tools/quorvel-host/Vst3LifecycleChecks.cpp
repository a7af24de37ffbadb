// Loading and releasing, buses and sample sizes, and the orders of calls hosts use.
#include "tools/quorvel-host/Vst3LifecycleChecks.h"

#include <string>

#include "tools/quorvel-host/TestSignal.h"
#include "tools/quorvel-host/Validator.h"
#include "tools/quorvel-host/Vst3CheckSupport.h"
#include "tools/quorvel-host/Vst3Instance.h"
#include "tools/quorvel-host/Vst3Module.h"

namespace QuorvelHost {

namespace {

namespace Vst = Steinberg::Vst;

void LoadRepeatedly(Validator& validator) {
  const char* check = "load and release repeatedly";
  int32_t instances = 0;
  for (int load = 0; load < 10; ++load) {
    std::string error;
    std::unique_ptr<Vst3Module> module = Vst3Module::Open(validator.Bundle().ModulePath(), error);
    std::unique_ptr<Vst3Instance> first = module ? Vst3Instance::Create(*module, error) : nullptr;
    std::unique_ptr<Vst3Instance> second = module ? Vst3Instance::Create(*module, error) : nullptr;
    if (first == nullptr || second == nullptr || !first->Start(Validator::kSampleRate, Validator::kBlockSize) ||
        !second->Start(Validator::kSampleRate, Validator::kBlockSize)) {
      validator.Fail(check, "load " + std::to_string(load + 1) + ": " + error);
      return;
    }
    instances += 2;
    // Two at once are independent: noise through one leaves the other's output to silence
    // as a third instance, alone, gives it.
    ChannelBuffers noise(2, 4096);
    TestSignal::Noise(noise, 5, 0.5f, 0, 4096);
    ChannelBuffers silence(2, 4096);
    Vst3CheckSupport::Process(*first, noise, Validator::kBlockSize);
    const ChannelBuffers quiet = Vst3CheckSupport::Process(*second, silence, Validator::kBlockSize);
    first.reset();
    std::unique_ptr<Vst3Instance> alone = Vst3Instance::Create(*module, error);
    if (alone == nullptr || !alone->Start(Validator::kSampleRate, Validator::kBlockSize) ||
        quiet.LargestDifference(Vst3CheckSupport::Process(*alone, silence, Validator::kBlockSize)) != 0.0) {
      validator.Fail(check, "an instance sounded with another's input");
      return;
    }
  }
  validator.Pass(check, "10 module loads, " + std::to_string(instances) + " instances, two at once independent");
}

void BusesAndSampleSizes(Validator& validator) {
  const char* check = "buses and sample sizes";
  std::unique_ptr<Vst3Instance> plugin = validator.NewVst3Instance();
  if (plugin == nullptr) {
    validator.FailToCreate(check);
    return;
  }
  Vst::IAudioProcessor* processor = plugin->Processor();
  Vst::SpeakerArrangement stereo = Vst::SpeakerArr::kStereo;
  Vst::SpeakerArrangement mono = Vst::SpeakerArr::kMono;
  const bool stereoTaken = processor->setBusArrangements(&stereo, 1, &stereo, 1) == Steinberg::kResultTrue;
  const bool monoTaken = processor->setBusArrangements(&mono, 1, &mono, 1) == Steinberg::kResultTrue;
  Vst::SpeakerArrangement shown = 0;
  processor->getBusArrangement(Vst::kOutput, 0, shown);
  const bool single = processor->canProcessSampleSize(Vst::kSample32) == Steinberg::kResultTrue;
  const bool dual = processor->canProcessSampleSize(Vst::kSample64) == Steinberg::kResultTrue;
  const std::string detail = std::string("stereo ") + (stereoTaken ? "taken" : "refused") + ", mono " +
                             (monoTaken ? "taken" : "refused") + ", 32-bit " + (single ? "yes" : "no") +
                             ", 64-bit " + (dual ? "yes" : "no") + ", latency " +
                             std::to_string(processor->getLatencySamples());
  // A refused arrangement must leave the one the plug-in has; 32-bit is what every host uses.
  validator.Report(check, stereoTaken && single && (monoTaken || shown == Vst::SpeakerArr::kStereo), detail);
}

// Live activates twice and sets up while active; some hosts process before switching
// processing on; Renoise releases an active, processing instance without terminate.
void HostCallOrders(Validator& validator) {
  const char* check = "the call orders hosts use";
  std::unique_ptr<Vst3Instance> plugin = validator.NewVst3Instance();
  if (plugin == nullptr) {
    validator.FailToCreate(check);
    return;
  }
  ChannelBuffers input(2, 256);
  TestSignal::Noise(input, 9, 0.5f, 0, 256);
  ChannelBuffers output(2, 256);
  bool processed = true;
  plugin->Component()->setActive(1);
  plugin->Component()->setActive(1);
  processed &= plugin->Process(input.At(0), output.At(0), 256, nullptr, nullptr) == Steinberg::kResultOk;
  plugin->Processor()->setProcessing(0);
  Vst::ProcessSetup setup{Vst::kRealtime, Vst::kSample32, 1024, 48000.0};
  plugin->Processor()->setupProcessing(setup);
  processed &= plugin->Process(input.At(0), output.At(0), 256, nullptr, nullptr) == Steinberg::kResultOk;
  plugin.reset();

  const Vst3Module& module = validator.Bundle();
  Steinberg::PClassInfo info{};
  void* made = nullptr;
  if (!module.FindAudioClass(info) ||
      module.Factory()->createInstance(info.cid, Vst::IComponent::iid.toTUID(), &made) != Steinberg::kResultOk) {
    validator.Fail(check, "no second component");
    return;
  }
  auto* component = static_cast<Vst::IComponent*>(made);
  Vst3HostContext host;
  component->initialize(static_cast<Vst::IHostApplication*>(&host));
  void* found = nullptr;
  if (component->queryInterface(Vst::IAudioProcessor::iid.toTUID(), &found) == Steinberg::kResultOk) {
    auto* processor = static_cast<Vst::IAudioProcessor*>(found);
    processor->setupProcessing(setup);
    component->setActive(1);
    processor->setProcessing(1);
    processor->release();
  }
  component->release();
  validator.Report(check, processed,
                   "activated twice, set up while active, processed before setProcessing, released while "
                   "processing without terminate");
}

}  // namespace

void Vst3LifecycleChecks::Run(Validator& validator) {
  LoadRepeatedly(validator);
  BusesAndSampleSizes(validator);
  HostCallOrders(validator);
}

}  // namespace QuorvelHost
