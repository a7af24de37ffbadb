#pragma once

#include <memory>
#include <string>

#include "tools/quorvel-host/HostedPlugin.h"

namespace QuorvelHost {

// A VST3 bundle beneath HostedPlugin: plain values are 0..stepCount (0..1 where the
// parameter is continuous) and travel normalized in the block's parameter changes, or in
// a block of no frames outside playing; a program is the program-change parameter's step;
// a MIDI control change becomes the change of the parameter the plug-in's MIDI mapping
// names (other MIDI does not reach a VST3 plug-in); the transport is the process context.
// Threads: as HostedPlugin.
class HostedVst3 final {
 public:
  // The bundle at `path` with an instance of its own; null with a one-line reason.
  static std::unique_ptr<HostedPlugin> Open(const std::string& path, std::string& error);
};

}  // namespace QuorvelHost
