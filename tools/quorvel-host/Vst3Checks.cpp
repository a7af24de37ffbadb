// What only VST3 shows a host: buses and sample sizes, the call orders hosts use, the
// controller's side of a flush, its MIDI mapping, and a VST2 plug-in's state handed over.
#include "tools/quorvel-host/CheckGroups.h"

#include <algorithm>
#include <array>
#include <string>

#include "tools/quorvel-host/HostedVst3.h"
#include "tools/quorvel-host/TestSignal.h"
#include "tools/quorvel-host/Validator.h"

namespace QuorvelHost {

namespace {

namespace Vst = Steinberg::Vst;
using Bytes = std::vector<uint8_t>;

void BusesAndSampleSizes(Validator& validator) {
  const char* check = "buses and sample sizes";
  std::unique_ptr<HostedVst3> plugin = validator.New<HostedVst3>(check);
  if (plugin == nullptr) {
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
  std::unique_ptr<HostedVst3> plugin = validator.New<HostedVst3>(check);
  if (plugin == nullptr) {
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

  std::string error;
  Vst::IComponent* component = plugin->Module().NewComponent(error);
  if (component == nullptr) {
    validator.Fail(check, "no second component: " + error);
    return;
  }
  Vst3HostContext host;
  component->initialize(static_cast<Vst::IHostApplication*>(&host));
  if (auto* processor = QueryOf<Vst::IAudioProcessor>(component)) {
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

void FlushApplies(Validator& validator) {
  const char* check = "a flush (no samples, no buffers) applies its changes";
  std::unique_ptr<HostedVst3> plugin = validator.New<HostedVst3>(check);
  if (plugin == nullptr) {
    return;
  }
  int32_t applied = 0;
  int32_t asked = 0;
  for (const Vst::ParameterInfo& info : plugin->ParameterInfos()) {
    if ((info.flags & (Vst::ParameterInfo::kIsHidden | Vst::ParameterInfo::kIsReadOnly)) != 0 ||
        (info.flags & Vst::ParameterInfo::kCanAutomate) == 0) {
      continue;
    }
    const double value = plugin->Controller()->getParamNormalized(info.id) < 0.5 ? 1.0 : 0.0;
    plugin->Flush(info.id, value);
    ++asked;
    applied += plugin->Controller()->getParamNormalized(info.id) == value ? 1 : 0;
  }
  validator.Report(check, asked > 0 && applied == asked,
                   std::to_string(applied) + " of " + std::to_string(asked) + " parameters moved to their other end");
}

void MidiMapping(Validator& validator) {
  const char* check = "MIDI controllers map to listed parameters";
  std::unique_ptr<HostedVst3> plugin = validator.New<HostedVst3>(check);
  if (plugin == nullptr) {
    return;
  }
  const std::vector<Vst::ParameterInfo> listed = plugin->ParameterInfos();
  int32_t mapped = 0;
  int32_t unlisted = 0;
  for (Vst::ParamID id : plugin->ControllerMap()) {
    if (id != HostedVst3::kUnmapped) {
      ++mapped;
      unlisted += std::none_of(listed.begin(), listed.end(), [id](const auto& info) { return info.id == id; });
    }
  }
  if (mapped == 0) {
    validator.Skip(check, "the plug-in maps no MIDI controllers");
    return;
  }
  validator.Report(check, unlisted == 0,
                   std::to_string(mapped) + " of 2048 channel controllers mapped, " + std::to_string(unlisted) +
                       " to parameters the plug-in does not list");
}

// A class ID derived from a VST2 plug-in ('VST' then its four-character ID) promises to
// take over that plug-in's state; a bank file image of its own bank chunk, after a 'VstW'
// header, stands for what such a host hands over.
void Vst2Takeover(Validator& validator) {
  const char* check = "a VST2 bank image handed over";
  std::unique_ptr<HostedVst3> plugin = validator.New<HostedVst3>(check);
  if (plugin == nullptr) {
    return;
  }
  Steinberg::PClassInfo info{};
  plugin->Module().FindAudioClass(info);
  const std::array<uint8_t, 16> written = Vst3Module::WrittenBytes(info.cid);
  if (written[0] != 'V' || written[1] != 'S' || written[2] != 'T') {
    validator.Skip(check, "the class ID is not derived from a VST2 plug-in");
    return;
  }
  Validator::ApplyRandomSettings(*plugin, 5);
  const Bytes state = plugin->GetState(false);
  if (state.size() <= 4) {
    validator.Fail(check, "no state to take over");
    return;
  }
  // The plug-in's own state is its VST2 bank chunk and the selected program.
  const Bytes bank(state.begin(), state.end() - 4);
  Bytes image;
  auto put = [&image](uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
      image.push_back(static_cast<uint8_t>(value >> shift));
    }
  };
  const uint32_t uniqueId = static_cast<uint32_t>(written[3]) << 24 | static_cast<uint32_t>(written[4]) << 16 |
                            static_cast<uint32_t>(written[5]) << 8 | written[6];
  // 'VstW', its size, version and bypass; 'CcnK', the size after it, 'FBCh', version,
  // ID, plug-in version, program count; 128 reserved bytes; the chunk's size and bytes.
  const uint32_t size = static_cast<uint32_t>(bank.size());
  for (uint32_t value : {0x56737457u, 8u, 1u, 0u, 0x43636E4Bu, 152 + size, 0x46424368u, 1u, uniqueId, 1u, 1u}) {
    put(value);
  }
  image.resize(image.size() + 128, 0);
  put(size);
  image.insert(image.end(), bank.begin(), bank.end());
  std::unique_ptr<HostedVst3> copy = validator.New<HostedVst3>(check);
  if (copy == nullptr) {
    return;
  }
  const bool taken = copy->SetState(image, false);
  const Bytes after = taken ? copy->GetState(false) : Bytes{};
  const bool same = after.size() == state.size() && std::equal(bank.begin(), bank.end(), after.begin());
  validator.Report(check, taken && same,
                   std::string("'VstW' header, bank image of ") + std::to_string(bank.size()) + " bytes: " +
                       (taken ? (same ? "taken, same bank" : "taken, another bank") : "refused"));
}

}  // namespace

void CheckGroups::Vst3(Validator& validator) {
  BusesAndSampleSizes(validator);
  HostCallOrders(validator);
  FlushApplies(validator);
  MidiMapping(validator);
  Vst2Takeover(validator);
}

}  // namespace QuorvelHost
