// The Windows build: LV2 bundles are for Linux hosts, so a bundle's path is recognised and
// every command says that it cannot load one here.
#include "tools/quorvel-host/HostedLv2.h"
#include "tools/quorvel-host/InfoCommand.h"

namespace QuorvelHost {

std::unique_ptr<HostedLv2> HostedLv2::Open(const std::string&, std::string& error) {
  error = "LV2 bundles load on Linux only";
  return nullptr;
}

// Never reached: HostedLv2::Open fails first.
void InfoCommand::PrintLv2(HostedLv2&) {}

}  // namespace QuorvelHost
