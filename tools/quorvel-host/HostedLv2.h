#pragma once

#include <memory>
#include <string>

#include "tools/quorvel-host/HostedPlugin.h"

namespace QuorvelHost {

// An LV2 bundle beneath HostedPlugin (through lilv): plain values are the control input
// ports' own, with the ranges, toggles and enumerations the bundle declares; a block's
// values are the port values it runs with, its MIDI the atom input's events, the
// transport a time:Position whenever it changes. LV2 has no programs. Linux only;
// elsewhere Open says so.
// Threads: as HostedPlugin.
class HostedLv2 final {
 public:
  // The bundle at `path` with an instance of its own; null with a one-line reason.
  static std::unique_ptr<HostedPlugin> Open(const std::string& path, std::string& error);
};

}  // namespace QuorvelHost
