#include "tools/quorvel-host/CheckGroups.h"

#include <map>
#include <tuple>
#include <vector>

#include "tools/quorvel-host/HostedVst2.h"
#include "tools/quorvel-host/Validator.h"

namespace QuorvelHost {

namespace {

constexpr uint8_t kControlChange = 0xB0;
constexpr int32_t kSweepBlock = 32;
const char* const kChecks[] = {"program chunk round trip", "bank chunk round trip",
                               "a rejected chunk changes nothing", "MIDI learn survives a bank round trip"};

// Everything a host can see of an instance's state: bank, program chunk, values and the
// program selected.
using Snapshot = std::tuple<std::vector<uint8_t>, std::vector<uint8_t>, std::vector<float>, VstIntPtr>;

Snapshot Take(HostedVst2& plugin) {
  std::vector<float> values;
  for (int32_t i = 0; i < plugin.ParameterCount(); ++i) {
    values.push_back(plugin.GetParameter(i));
  }
  return {plugin.GetState(false), plugin.GetState(true), values, plugin.Dispatch(effGetProgram)};
}

// Distinct values in three programs, so that a bank really carries something; the program
// left selected.
int32_t VaryPrograms(HostedPlugin& plugin, uint32_t seed) {
  int32_t count = plugin.ProgramCount();
  std::string ignored;
  for (int32_t program : {0, count / 2, count - 1}) {
    if (program >= 0 && program < count) {
      plugin.SelectProgram(program, ignored);
      Validator::ApplyRandomSettings(plugin, seed + static_cast<uint32_t>(program));
    }
  }
  plugin.SelectProgram(count > 1 ? 1 : 0, ignored);
  return count > 1 ? 1 : 0;
}

// The bad bytes are made from `other`'s chunks.
void RejectedChunk(Validator& validator, HostedVst2& other) {
  VaryPrograms(other, 31);
  using Bytes = std::vector<uint8_t>;
  const Bytes bank = other.GetState(false);
  auto half = [](const Bytes& bytes) {
    return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(bytes.size() / 2));
  };
  Bytes header = bank;
  if (!header.empty()) {
    header[0] ^= 0xFF;
  }
  Bytes garbage(bank.size() + 16);
  uint32_t state = 99u;
  for (uint8_t& byte : garbage) {
    state = state * 1664525u + 1013904223u;
    byte = static_cast<uint8_t>(state >> 24);
  }
  // Each attempt's name, bytes, and whether they go over as a program.
  const std::tuple<const char*, Bytes, bool> attempts[] = {
      {"empty", {}, false},
      {"foreign header", header, false},
      {"bank cut in half", half(bank), false},
      {"program cut in half", half(other.GetState(true)), true},
      {"random bytes", garbage, false}};
  // Each attempt's name joins the list of what befell it.
  auto add = [](std::string& list, const char* name) {
    list += (list.empty() ? "" : ", ") + std::string(name);
  };
  std::string rejected;
  std::string accepted;
  std::string changed;
  for (const auto& [name, bytes, program] : attempts) {
    // Each attempt on an instance of its own, as an accepted chunk may change the state.
    std::unique_ptr<HostedVst2> plugin = validator.New<HostedVst2>(kChecks[2]);
    if (plugin == nullptr) {
      return;
    }
    VaryPrograms(*plugin, 47);
    Snapshot before = Take(*plugin);
    if (plugin->SetState(bytes, program)) {
      add(accepted, name);
    } else {
      add(rejected, name);
      if (Take(*plugin) != before) {
        add(changed, name);
      }
    }
  }
  std::string detail = "rejected: " + (rejected.empty() ? std::string("none") : rejected);
  if (!accepted.empty()) {
    detail += "; accepted: " + accepted;
  }
  if (!changed.empty()) {
    detail += "; state CHANGED by: " + changed;
  }
  validator.Report(kChecks[2], changed.empty(), detail);
}

// Which parameter each controller drives: every controller sent at 0 and at
// 127, and any parameter that follows is bound to it.
std::map<int, int32_t> ControllerBindings(HostedVst2& plugin) {
  std::map<int, int32_t> bindings;
  ChannelBuffers input(plugin.InputCount(), kSweepBlock);
  ChannelBuffers output(plugin.OutputCount(), kSweepBlock);
  for (int controller = 0; controller < 128; ++controller) {
    std::vector<float> low;
    for (int value : {0, 127}) {
      plugin.QueueMidi(0, kControlChange, static_cast<uint8_t>(controller), static_cast<uint8_t>(value));
      plugin.DeliverEvents();
      plugin.Process(input.At(0), output.At(0), kSweepBlock, HostTransport{}, 0);
      for (int32_t i = 0; i < plugin.ParameterCount(); ++i) {
        if (value == 0) {
          low.push_back(plugin.GetParameter(i));
        } else if (plugin.GetParameter(i) != low[static_cast<size_t>(i)]) {
          bindings[controller] = i;
        }
      }
    }
  }
  return bindings;
}

std::string Describe(const std::map<int, int32_t>& bindings) {
  std::string text;
  for (const auto& [controller, parameter] : bindings) {
    text += (text.empty() ? "CC " : ", CC ") + std::to_string(controller) + " drives parameter " +
            std::to_string(parameter);
  }
  return text.empty() ? "no controller bound" : text;
}

void LearnedControllers(Validator& validator) {
  std::unique_ptr<HostedVst2> source = validator.New<HostedVst2>(kChecks[3]);
  std::unique_ptr<HostedVst2> target = source ? validator.New<HostedVst2>(kChecks[3]) : nullptr;
  if (target == nullptr) {
    return;
  }
  std::vector<uint8_t> bank = source->GetState(false);
  std::map<int, int32_t> before = ControllerBindings(*source);
  if (!target->SetState(bank, false)) {
    validator.Fail(kChecks[3], "the plug-in rejected its own bank");
    return;
  }
  std::map<int, int32_t> after = ControllerBindings(*target);
  std::string detail = Describe(before);
  if (before.empty()) {
    detail += " (validate --bank FILE starts from a bank with learned controllers)";
  }
  validator.Report(kChecks[3], before == after,
                   after == before ? detail : detail + "; after loading: " + Describe(after));
}

}  // namespace

void CheckGroups::Vst2State(Validator& validator) {
  std::unique_ptr<HostedVst2> probe = validator.New<HostedVst2>(kChecks[0]);
  if (probe == nullptr) {
    return;
  }
  if (!probe->HasFlag(effFlagsProgramChunks)) {
    for (const char* check : kChecks) {
      validator.Skip(check, "the plug-in keeps no chunks");
    }
    return;
  }
  RoundTrip(validator, kChecks[0], true, nullptr);
  RoundTrip(validator, kChecks[1], false,
                            [](HostedPlugin& plugin) { return VaryPrograms(plugin, 23); });
  RejectedChunk(validator, *probe);
  LearnedControllers(validator);
}

}  // namespace QuorvelHost
