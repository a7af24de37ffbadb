#pragma once

#include <string>

namespace QuorvelHost {

// info for a CLAP module: the entry's version, the plug-in's descriptor, its ports, its
// parameters with their values as text, the extensions it offers, latency and tail.
class ClapInfoCommand final {
 public:
  static int Run(const std::string& path);
};

}  // namespace QuorvelHost
