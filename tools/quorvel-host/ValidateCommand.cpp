#include "tools/quorvel-host/ValidateCommand.h"

#include <cstdio>
#include <fstream>
#include <iterator>

#include "tools/quorvel-host/CommandLine.h"
#include "tools/quorvel-host/EditorChecks.h"
#include "tools/quorvel-host/LifecycleChecks.h"
#include "tools/quorvel-host/PluginInstance.h"
#include "tools/quorvel-host/PluginModule.h"
#include "tools/quorvel-host/ProcessingChecks.h"
#include "tools/quorvel-host/RealtimeChecks.h"
#include "tools/quorvel-host/StateChecks.h"
#include "tools/quorvel-host/ToolOutput.h"
#include "tools/quorvel-host/Validator.h"

namespace QuorvelHost {

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
