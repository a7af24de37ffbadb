#include "tools/quorvel-host/CheckGroups.h"

#include <memory>
#include <string>

#include "tools/audio-buffers/ChannelBuffers.h"
#include "tools/quorvel-host/HostedPlugin.h"
#include "tools/quorvel-host/ToolOutput.h"
#include "tools/quorvel-host/Validator.h"

namespace QuorvelHost {

void CheckGroups::RoundTrip(Validator& validator, const std::string& check, bool program,
                               int32_t (*vary)(HostedPlugin&)) {
  std::unique_ptr<HostedPlugin> source = validator.New(check);
  std::unique_ptr<HostedPlugin> target = source ? validator.New(check) : nullptr;
  if (target == nullptr) {
    return;
  }
  int32_t selected = -1;
  if (vary != nullptr) {
    selected = vary(*source);
  } else {
    Validator::ApplyRandomSettings(*source, 11);
  }
  const std::vector<uint8_t> saved = source->GetState(program);
  if (saved.empty() || !target->SetState(saved, program)) {
    validator.Report(
        check, *target, false,
        saved.empty() ? "the plug-in gave an empty chunk"
                      : "the plug-in rejected its own chunk of " + std::to_string(saved.size()) + " bytes");
    return;
  }
  std::string ignored;
  if (selected >= 0) {
    target->SelectProgram(selected, ignored);
  }
  const bool sameBytes = target->GetState(program) == saved;
  const double difference = Validator::Sound(*target).LargestDifference(Validator::Sound(*source));
  validator.Report(check, *target, sameBytes && difference <= Validator::kEqualWithin,
                   std::to_string(saved.size()) + " bytes" + (sameBytes ? ", identical" : ", NOT identical") +
                       " after loading; largest audio difference " + ToolOutput::Number(difference));
}

// Each load opens the module again, as a host rescanning or reloading a session does.
void CheckGroups::LoadRepeatedly(Validator& validator) {
  const char* check = "load and release repeatedly";
  std::string error;
  for (int load = 0; load < 10; ++load) {
    std::unique_ptr<HostedPlugin> first = HostedPlugin::Open(validator.Path(), error);
    std::unique_ptr<HostedPlugin> second = HostedPlugin::Open(validator.Path(), error);
    std::unique_ptr<HostedPlugin> alone = HostedPlugin::Open(validator.Path(), error);
    for (HostedPlugin* plugin : {first.get(), second.get(), alone.get()}) {
      if (plugin == nullptr || !plugin->Activate(Validator::kSampleRate, Validator::kBlockSize, error)) {
        validator.Fail(check, "load " + std::to_string(load + 1) + ": " + error);
        return;
      }
    }
    // Two at once are independent: noise through one leaves the other's output to silence
    // as a third instance, alone, gives it.
    ChannelBuffers noise = Validator::Signal(*first, Validator::kSampleRate, 0.1, 0.0, 5);
    ChannelBuffers silence(second->InputCount(), noise.Frames());
    Validator::Process(*first, noise);
    const ChannelBuffers quiet = Validator::Process(*second, silence);
    first.reset();
    if (quiet.LargestDifference(Validator::Process(*alone, silence)) != 0.0) {
      validator.Fail(check, "an instance sounded with another's input");
      return;
    }
  }
  validator.Report(check, true, "10 module loads, 30 instances, two at once independent");
}

namespace {

void Unconnected(Validator& validator) {
  const char* check = "runs of no frames and with unconnected audio";
  std::unique_ptr<HostedPlugin> plugin = validator.New(check);
  if (plugin == nullptr) {
    return;
  }
  if (!plugin->TakesUnconnectedAudio()) {
    validator.Skip(check, "the format always hands a block its audio buffers");
    return;
  }
  plugin->Process(nullptr, nullptr, 0, HostTransport{}, 0);
  plugin->Process(nullptr, nullptr, 64, HostTransport{}, 0);
  validator.Report(check, true, "");
}

// Each a state no plug-in should take: none, cut in half, three bytes too long, noise.
void Refusal(Validator& validator) {
  const char* check = "a state of other bytes is refused and changes nothing";
  std::unique_ptr<HostedPlugin> plugin = validator.New(check);
  if (plugin == nullptr) {
    return;
  }
  Validator::ApplyRandomSettings(*plugin, 3);
  using Bytes = std::vector<uint8_t>;
  const Bytes before = plugin->GetState(false);
  Bytes half(before.begin(), before.begin() + static_cast<std::ptrdiff_t>(before.size() / 2));
  Bytes longer = before;
  longer.insert(longer.end(), {1, 2, 3});
  Bytes noise(300);
  for (size_t i = 0; i < noise.size(); ++i) {
    noise[i] = static_cast<uint8_t>(i * 37u + 11u);
  }
  int32_t refused = 0;
  bool unchanged = true;
  for (const Bytes& bytes : {Bytes{}, half, longer, noise}) {
    refused += plugin->SetState(bytes, false) ? 0 : 1;
    unchanged = unchanged && plugin->GetState(false) == before;
  }
  validator.Report(check, *plugin, refused == 4 && unchanged,
                   std::to_string(refused) + " of 4 refused (empty, cut in half, 3 bytes too long, noise), " +
                       (unchanged ? "state unchanged" : "state changed"));
}

}  // namespace

void CheckGroups::Portable(Validator& validator) {
  LoadRepeatedly(validator);
  Unconnected(validator);
  RoundTrip(validator, "state round trip into a fresh instance", false, nullptr);
  Refusal(validator);
}

}  // namespace QuorvelHost
