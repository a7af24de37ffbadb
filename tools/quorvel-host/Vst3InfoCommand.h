#pragma once

#include <string>

namespace QuorvelHost {

// quorvel-host info BUNDLE.vst3: everything a VST3 host learns about a plug-in: the
// factory, its classes, buses, parameters, units and programs, latency, tail and state.
class Vst3InfoCommand final {
 public:
  static int Run(const std::string& path);
};

}  // namespace QuorvelHost
