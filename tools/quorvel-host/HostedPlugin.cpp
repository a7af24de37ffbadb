#include "tools/quorvel-host/HostedPlugin.h"

#include "tools/quorvel-host/HostedClap.h"
#include "tools/quorvel-host/HostedLv2.h"
#include "tools/quorvel-host/HostedVst2.h"
#include "tools/quorvel-host/HostedVst3.h"
#include "tools/quorvel-host/Vst3Module.h"

namespace QuorvelHost {

std::unique_ptr<HostedPlugin> HostedPlugin::Open(const std::string& path, std::string& error) {
  if (HostedClap::IsClapPath(path)) {
    return HostedClap::Open(path, error);
  }
  if (Vst3Module::IsVst3Path(path)) {
    return HostedVst3::Open(path, error);
  }
  if (HostedLv2::IsLv2Path(path)) {
    return HostedLv2::Open(path, error);
  }
  return HostedVst2::Open(path, error);
}

}  // namespace QuorvelHost
