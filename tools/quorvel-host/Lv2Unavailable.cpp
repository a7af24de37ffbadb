// The Windows build: LV2 bundles are for Linux hosts, so a bundle's path is recognised and
// every command says that it cannot load one here.
#include "tools/quorvel-host/HostedLv2.h"
#include "tools/quorvel-host/InfoCommand.h"
#include "tools/quorvel-host/Lv2Module.h"

namespace QuorvelHost {

// Nothing of it is ever made here.
class Lv2World {};

namespace {

const char* const kLinuxOnly = "LV2 bundles load on Linux only";

}  // namespace

bool Lv2Module::IsLv2Path(const std::string& path) {
  std::string trimmed = path;
  while (trimmed.size() > 1 && (trimmed.back() == '/' || trimmed.back() == '\\')) {
    trimmed.pop_back();
  }
  return trimmed.size() > 4 && trimmed.compare(trimmed.size() - 4, 4, ".lv2") == 0;
}

std::unique_ptr<Lv2Module> Lv2Module::Open(const std::string&, std::string& error) {
  error = kLinuxOnly;
  return nullptr;
}

Lv2Module::~Lv2Module() = default;

std::unique_ptr<HostedPlugin> HostedLv2::Open(const std::string&, std::string& error) {
  error = kLinuxOnly;
  return nullptr;
}

// Never reached: HostedLv2::Open fails first.
void InfoCommand::PrintLv2(HostedLv2&) {}

}  // namespace QuorvelHost
