// The Windows build: LV2 bundles are for Linux hosts, so a bundle's path is recognised and
// every command says that it cannot load one here.
#include "tools/quorvel-host/HostedLv2.h"
#include "tools/quorvel-host/Lv2InfoCommand.h"
#include "tools/quorvel-host/ToolOutput.h"

namespace QuorvelHost {

namespace {

const char* const kLinuxOnly = "LV2 bundles load on Linux only";

}  // namespace

std::unique_ptr<HostedPlugin> HostedLv2::Open(const std::string&, std::string& error) {
  error = kLinuxOnly;
  return nullptr;
}

int Lv2InfoCommand::Run(const std::string&) {
  return ToolOutput::Error("info", kLinuxOnly);
}

}  // namespace QuorvelHost
