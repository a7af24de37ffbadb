#include "tools/quorvel-host/CheckGroups.h"

#include <array>
#include <cstddef>
#include <cstring>
#include <tuple>

#include "tools/quorvel-host/HostedVst2.h"
#include "tools/quorvel-host/TestSignal.h"
#include "tools/quorvel-host/ToolOutput.h"
#include "tools/quorvel-host/Validator.h"

namespace QuorvelHost {

namespace {

constexpr int kTransportCycles = 5;

// Editor opcodes belong to the editor checks; effClose ends the walk; the
// offline and variable-I/O opcodes hand over audio structures a plain host
// never has; effSetChunk is exercised by the chunk checks.
bool WalkSkips(VstInt32 opcode) {
  return opcode == effClose || (opcode >= effEditGetRect && opcode <= effEditSleep) ||
         opcode == effEditKeyDown || opcode == effEditKeyUp || opcode == effSetEditKnobMode ||
         opcode == effSetChunk || (opcode >= effOfflineNotify && opcode <= effProcessVarIo);
}

// The opcode with the values it takes; any other gets a zeroed buffer, aligned and large
// enough for any structure or text an opcode reads or writes, holding a text to read where
// it takes one.
VstIntPtr Ask(HostedVst2& plugin, VstInt32 opcode) {
  struct Call {
    VstInt32 opcode;
    VstIntPtr value;
    void* ptr;
    float opt = 0.0f;
  };
  // Stereo in, stereo out: the input arrangement travels in the value argument.
  VstSpeakerArrangement speakersIn{};
  speakersIn.type = kSpeakerArrStereo;
  speakersIn.numChannels = 2;
  VstSpeakerArrangement speakersOut = speakersIn;
  VstSpeakerArrangement* speakersInOut = nullptr;
  VstSpeakerArrangement* speakersOutOut = nullptr;
  const Call calls[] = {
      {effSetSpeakerArrangement, reinterpret_cast<VstIntPtr>(&speakersIn), &speakersOut},
      {effGetSpeakerArrangement, reinterpret_cast<VstIntPtr>(&speakersInOut), &speakersOutOut},
      {effSetProgram, 0, nullptr},
      {effSetSampleRate, 0, nullptr, static_cast<float>(Validator::kSampleRate)},
      {effSetBlockSize, Validator::kBlockSize, nullptr},
      {effMainsChanged, 1, nullptr},
      {effSetTotalSampleToProcess, Validator::kBlockSize, nullptr},
      {effSetProcessPrecision, kVstProcessPrecision32, nullptr}};
  for (const Call& call : calls) {
    if (call.opcode == opcode) {
      return plugin.Dispatch(opcode, 0, call.value, call.ptr, call.opt);
    }
  }
  alignas(std::max_align_t) std::array<char, 4096> buffer{};
  std::strcpy(buffer.data(),
              opcode == effCanDo ? "receiveVstMidiEvent" : (opcode == effSetProgramName ? "Validated" : ""));
  return plugin.Dispatch(opcode, 0, 0, buffer.data());
}

// Each text's opcode, name and published width.
constexpr std::tuple<VstInt32, const char*, size_t> kTextWidths[] = {
    {effGetEffectName, "effect name", kVstMaxEffectNameLen},
    {effGetVendorString, "vendor", kVstMaxVendorStrLen},
    {effGetProductString, "product", kVstMaxProductStrLen},
    {effGetProgramName, "program name", kVstMaxProgNameLen}};

// Each text at or beyond its published width, as ", <problem>".
void AddTextProblems(HostedVst2& plugin, std::string& problems) {
  for (const auto& [opcode, name, width] : kTextWidths) {
    if (plugin.GetText(opcode).size() >= width) {
      problems += ", " + std::string(name) + " too long";
    }
  }
  for (int32_t i = 0; i < plugin.ParameterCount(); ++i) {
    for (VstInt32 opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay}) {
      if (plugin.GetText(opcode, i).size() >= static_cast<size_t>(kVstMaxParamStrLen)) {
        problems += ", parameter " + std::to_string(i) + " text longer than 7 characters";
        break;
      }
    }
  }
}

void EveryOpcode(Validator& validator) {
  const char* check = "every opcode answered";
  std::unique_ptr<HostedVst2> plugin = validator.New<HostedVst2>(check);
  if (plugin == nullptr) {
    return;
  }
  int answered = 0;
  std::string problems;
  for (VstInt32 opcode = -1; opcode <= effGetNumMidiOutputChannels + 2; ++opcode) {
    if (WalkSkips(opcode)) {
      continue;
    }
    VstIntPtr answer = Ask(*plugin, opcode);
    answered += answer != 0 ? 1 : 0;
    if (opcode == effCanDo && (answer < -1 || answer > 1)) {
      problems += ", canDo answers " + std::to_string(answer);
    }
    if (opcode == effGetVstVersion && answer < 2) {
      problems += ", VST version " + std::to_string(answer);
    }
    if (opcode == effGetProgram &&
        (answer < 0 || (answer >= plugin->ProgramCount() && plugin->ProgramCount() > 0))) {
      problems += ", current program " + std::to_string(answer) + " out of range";
    }
  }
  AddTextProblems(*plugin, problems);
  ChannelBuffers input = Validator::Signal(*plugin, Validator::kSampleRate, 0.1, 0.0);
  TestSignal::Scan scan = TestSignal::Examine(Validator::Process(*plugin, input));
  if (!scan.Clean()) {
    problems += ", output not clean afterwards";
  }
  std::string detail = std::to_string(effGetNumMidiOutputChannels + 3) + " opcodes asked, " +
                       std::to_string(answered) + " with a non-zero answer";
  validator.Report(check, problems.empty(), problems.empty() ? detail : detail + problems);
}

// The rate and block size told before effOpen, as some hosts do, against the usual order.
void SettingsBeforeOpen(Validator& validator) {
  const char* check = "sample rate and block size before effOpen";
  std::string error;
  std::unique_ptr<HostedVst2> early = HostedVst2::Open(validator.Path(), error);
  std::unique_ptr<HostedPlugin> usual = early ? HostedPlugin::Open(validator.Path(), error) : nullptr;
  if (usual == nullptr || !usual->Activate(48000.0, 256, error)) {
    validator.Fail(check, error);
    return;
  }
  early->SetSampleRate(48000.0);
  early->Dispatch(effSetBlockSize, 0, 256);
  early->Dispatch(effOpen);
  early->SetMains(true);
  ChannelBuffers actual = Validator::Sound(*early, 48000.0, 256);
  double difference = actual.LargestDifference(Validator::Sound(*usual, 48000.0, 256));
  bool clean = TestSignal::Examine(actual).Clean();
  validator.Report(check, difference <= Validator::kEqualWithin && clean,
                   "largest difference to the usual order " + ToolOutput::Number(difference) +
                       (clean ? "" : ", output not finite or subnormal"));
}

// Hosts switch a VST2 plug-in off and on whenever the transport starts.
void TransportRestarts(Validator& validator) {
  const char* check = "effMainsChanged off and on at every transport start";
  std::unique_ptr<HostedPlugin> plugin = validator.New(check);
  if (plugin == nullptr) {
    return;
  }
  Validator::ApplyActiveSettings(*plugin);
  bool clean = true;
  double quietest = 1.0;
  std::string error;
  for (int cycle = 0; cycle < kTransportCycles; ++cycle) {
    plugin->Deactivate();
    plugin->Activate(Validator::kSampleRate, Validator::kBlockSize, error);
    ChannelBuffers playing =
        Validator::Signal(*plugin, Validator::kSampleRate, 0.3, 0.0, static_cast<uint32_t>(cycle));
    TestSignal::Scan scan = TestSignal::Examine(Validator::Process(*plugin, playing));
    ChannelBuffers stopped = Validator::Signal(*plugin, Validator::kSampleRate, 0.1, 0.0);
    TestSignal::Scan stoppedScan =
        TestSignal::Examine(Validator::Process(*plugin, stopped, Validator::kBlockSize, false));
    clean = clean && scan.Clean() && stoppedScan.Clean();
    quietest = scan.peak < quietest ? scan.peak : quietest;
  }
  validator.Report(check, clean && quietest > 0.0,
                   std::to_string(kTransportCycles) + " stop and start cycles" +
                       (quietest > 0.0 ? ", sound after every start" : ", silent after a start"));
}

}  // namespace

void CheckGroups::Vst2Lifecycle(Validator& validator) {
  LoadRepeatedly(validator);
  EveryOpcode(validator);
  SettingsBeforeOpen(validator);
  TransportRestarts(validator);
}

}  // namespace QuorvelHost
