#pragma once

#include <memory>
#include <string>

#include "tools/quorvel-host/HostedPlugin.h"

namespace QuorvelHost {

class PluginInstance;

// A VST2 module beneath HostedPlugin: values are the normalized values VST2 knows (it has
// no kinds of parameters a host could rely on), the events go over in effProcessEvents
// before processReplacing, the transport is what the host callback answers for
// audioMasterGetTime, and a state is a bank or a program chunk.
// Threads: as HostedPlugin.
class HostedVst2 final {
 public:
  // The module at `path` with an instance of its own; null with a one-line reason.
  static std::unique_ptr<HostedPlugin> Open(const std::string& path, std::string& error);
  // An instance a check made, driven as it stands; it must outlive the adapter.
  static std::unique_ptr<HostedPlugin> Borrow(PluginInstance& instance);
};

}  // namespace QuorvelHost
