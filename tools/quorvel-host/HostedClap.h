#pragma once

#include <memory>
#include <string>

#include "tools/quorvel-host/HostedPlugin.h"

namespace QuorvelHost {

// A CLAP module beneath HostedPlugin: plain values are the parameter's own (its min to
// max, stepped ones switches or choices), settings go through params.flush, a block's
// values and MIDI are its input events, the transport its transport event. The instance
// keeps its strict thread checks; CLAP has no programs.
// Threads: as HostedPlugin (the thread that opens it is the plug-in's main thread).
class HostedClap final {
 public:
  // The module at `path` with an instance of its own; null with a one-line reason.
  static std::unique_ptr<HostedPlugin> Open(const std::string& path, std::string& error);
};

}  // namespace QuorvelHost
