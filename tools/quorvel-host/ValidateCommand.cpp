#include <cstdio>

#include "tools/quorvel-host/CheckGroups.h"
#include "tools/quorvel-host/CommandLine.h"
#include "tools/quorvel-host/Commands.h"
#include "tools/quorvel-host/HostedClap.h"
#include "tools/quorvel-host/HostedLv2.h"
#include "tools/quorvel-host/HostedPlugin.h"
#include "tools/quorvel-host/ToolOutput.h"
#include "tools/quorvel-host/Validator.h"
#include "tools/quorvel-host/Vst3Module.h"

namespace QuorvelHost {

namespace {

struct Group {
  const char* name;
  void (*run)(Validator&);
};

// Each format's battery: the checks written once for every format (processing, real-time,
// editor, and for all but VST2, whose checks speak of its opcodes and chunks, portable),
// beside one group of what only the format has. CLAP's own also fail on a host call made
// on a thread the format forbids.
std::vector<Group> GroupsFor(const std::string& path) {
  using namespace CheckGroups;
  const bool clap = HostedClap::IsClapPath(path);
  const bool vst3 = Vst3Module::IsVst3Path(path);
  if (!clap && !vst3 && !HostedLv2::IsLv2Path(path)) {
    return {{"lifecycle", Vst2Lifecycle},
            {"processing", Processing},
            {"real-time", Realtime},
            {"state", Vst2State},
            {"editor", Vst2Editor}};
  }
  std::vector<Group> groups = {{"processing", Processing}, {"portable", Portable}, {"real-time", Realtime}};
  if (clap) {
    groups.push_back({"CLAP", Clap});
  }
  if (vst3) {
    groups.push_back({"VST3", Vst3});
  }
  groups.push_back({"editor", Editor});
  return groups;
}

}  // namespace

int RunValidate(const std::vector<std::string>& args) {
  CommandLine line;
  std::string error;
  if (!line.Parse(args, {{"bank", true, false}}, error)) {
    return ToolOutput::Error("validate", error, ToolOutput::kUsageError);
  }
  if (line.Positionals().size() != 1) {
    return ToolOutput::Error("validate", "expects exactly one MODULE", ToolOutput::kUsageError);
  }
  std::vector<uint8_t> bank;
  if (line.Has("bank") && !CommandLine::ReadFile(line.Value("bank"), bank)) {
    return ToolOutput::Error("validate", "cannot read bank file " + line.Value("bank"));
  }
  const std::string& path = line.Positionals()[0];
  {
    // One instance first, so that a module that makes none, or refuses the bank, fails
    // with one line instead of a battery of failures.
    std::unique_ptr<HostedPlugin> probe = HostedPlugin::Open(path, error);
    if (probe == nullptr) {
      return ToolOutput::Error("validate", error);
    }
    if (!bank.empty() && (!probe->Activate(Validator::kSampleRate, Validator::kBlockSize, error) ||
                          !probe->SetState(bank, false))) {
      return ToolOutput::Error("validate", "the plug-in rejected the bank in " + line.Value("bank"));
    }
  }
  Validator validator(path, bank);
  std::printf("validating %s\n", path.c_str());
  for (const Group& group : GroupsFor(path)) {
    validator.RunGroup(group.name, group.run);
  }
  validator.PrintSummary();
  return validator.Failures() == 0 ? ToolOutput::kSuccess : ToolOutput::kFailure;
}

}  // namespace QuorvelHost
