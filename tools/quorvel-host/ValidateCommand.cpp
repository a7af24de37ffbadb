#include "tools/quorvel-host/ValidateCommand.h"

#include <cstdio>
#include <fstream>
#include <iterator>

#include "tools/quorvel-host/CommandLine.h"
#include "tools/quorvel-host/EditorChecks.h"
#include "tools/quorvel-host/LifecycleChecks.h"
#include "tools/quorvel-host/Lv2Module.h"
#include "tools/quorvel-host/Lv2ValidateCommand.h"
#include "tools/quorvel-host/PluginInstance.h"
#include "tools/quorvel-host/PluginModule.h"
#include "tools/quorvel-host/ProcessingChecks.h"
#include "tools/quorvel-host/RealtimeChecks.h"
#include "tools/quorvel-host/StateChecks.h"
#include "tools/quorvel-host/ToolOutput.h"
#include "tools/quorvel-host/Validator.h"
#include "tools/quorvel-host/ClapChecks.h"
#include "tools/quorvel-host/ClapInstance.h"
#include "tools/quorvel-host/ClapModule.h"
#include "tools/quorvel-host/Vst3Instance.h"
#include "tools/quorvel-host/Vst3LifecycleChecks.h"
#include "tools/quorvel-host/Vst3Module.h"
#include "tools/quorvel-host/Vst3ProcessingChecks.h"
#include "tools/quorvel-host/Vst3RealtimeChecks.h"
#include "tools/quorvel-host/Vst3StateChecks.h"

namespace QuorvelHost {

namespace {

// The VST3 battery: the same frame and groups of checks, through the bundle's interfaces.
int RunVst3(const std::string& path, const std::vector<uint8_t>& bank) {
  std::string error;
  std::unique_ptr<Vst3Module> module = Vst3Module::Open(path, error);
  std::unique_ptr<Vst3Instance> probe = module ? Vst3Instance::Create(*module, error) : nullptr;
  if (probe == nullptr) {
    return ToolOutput::Error("validate", error);
  }
  if (!bank.empty() && (!probe->Start(Validator::kSampleRate, Validator::kBlockSize) || !probe->SetState(bank))) {
    return ToolOutput::Error("validate", "the plug-in rejected the state in the bank file");
  }
  probe.reset();
  std::printf("validating %s\n", path.c_str());
  Validator validator(path, *module, bank);
  validator.RunGroup("lifecycle", Vst3LifecycleChecks::Run);
  validator.RunGroup("processing", Vst3ProcessingChecks::Run);
  validator.RunGroup("real-time", Vst3RealtimeChecks::Run);
  validator.RunGroup("state", Vst3StateChecks::Run);
  validator.PrintSummary();
  return validator.Failures() == 0 ? ToolOutput::kSuccess : ToolOutput::kFailure;
}

// The CLAP battery: the same frame, groups of checks through the module's extensions, each
// also failing on a host call made on a thread the format forbids.
int RunClap(const std::string& path, const std::vector<uint8_t>& bank) {
  std::string error;
  std::unique_ptr<ClapModule> module = ClapModule::Open(path, error);
  std::unique_ptr<ClapInstance> probe = module ? ClapInstance::Create(*module, error) : nullptr;
  if (probe == nullptr) {
    return ToolOutput::Error("validate", error);
  }
  if (!bank.empty() && (!probe->Start(Validator::kSampleRate, Validator::kBlockSize) || !probe->SetState(bank))) {
    return ToolOutput::Error("validate", "the plug-in rejected the state in the bank file");
  }
  probe.reset();
  std::printf("validating %s\n", path.c_str());
  Validator validator(path, *module, bank);
  validator.RunGroup("lifecycle", ClapChecks::Lifecycle);
  validator.RunGroup("processing", ClapChecks::Processing);
  validator.RunGroup("state", ClapChecks::State);
  validator.RunGroup("editor", ClapChecks::Editor);
  validator.PrintSummary();
  return validator.Failures() == 0 ? ToolOutput::kSuccess : ToolOutput::kFailure;
}

}  // namespace

int ValidateCommand::Run(const std::vector<std::string>& args) {
  CommandLine line;
  std::string error;
  if (!line.Parse(args, {{"bank", true, false}}, error)) {
    return ToolOutput::Error("validate", error, ToolOutput::kUsageError);
  }
  if (line.Positionals().size() != 1) {
    return ToolOutput::Error("validate", "expects exactly one MODULE", ToolOutput::kUsageError);
  }
  std::vector<uint8_t> bank;
  if (line.Has("bank")) {
    std::ifstream file(line.Value("bank"), std::ios::binary);
    if (!file) {
      return ToolOutput::Error("validate", "cannot read bank file " + line.Value("bank"));
    }
    bank.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }
  const std::string& path = line.Positionals()[0];
  if (ClapModule::IsClapPath(path)) {
    return RunClap(path, bank);
  }
  if (Vst3Module::IsVst3Path(path)) {
    return RunVst3(path, bank);
  }
  if (Lv2Module::IsLv2Path(path)) {
    return Lv2ValidateCommand::Run(path, bank);
  }
  std::unique_ptr<PluginModule> module = PluginModule::Open(path, error);
  if (module == nullptr) {
    return ToolOutput::Error("validate", error);
  }
  {
    std::unique_ptr<PluginInstance> probe = module->CreateInstance(error);
    if (probe == nullptr) {
      return ToolOutput::Error("validate", error);
    }
    if (!probe->CanProcessReplacing()) {
      return ToolOutput::Error("validate", "module " + path + " offers no replacing processing");
    }
    if (!bank.empty()) {
      probe->Start(Validator::kSampleRate, Validator::kBlockSize);
      if (!probe->SetChunk(bank, false)) {
        return ToolOutput::Error("validate", "the plug-in rejected the bank in " + line.Value("bank"));
      }
    }
  }
  std::printf("validating %s\n", path.c_str());
  Validator validator(path, *module, bank);
  validator.RunGroup("lifecycle", LifecycleChecks::Run);
  validator.RunGroup("processing", ProcessingChecks::Run);
  validator.RunGroup("real-time", RealtimeChecks::Run);
  validator.RunGroup("state", StateChecks::Run);
  validator.RunGroup("editor", EditorChecks::Run);
  validator.PrintSummary();
  return validator.Failures() == 0 ? ToolOutput::kSuccess : ToolOutput::kFailure;
}

}  // namespace QuorvelHost
