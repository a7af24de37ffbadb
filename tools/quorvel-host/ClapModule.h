#pragma once

#include <string>

namespace QuorvelHost {

// How the commands tell a CLAP module from the other formats' modules; HostedClap loads one.
class ClapModule final {
 public:
  // Whether a path names a CLAP module (it ends in ".clap").
  static bool IsClapPath(const std::string& path) {
    return path.size() > 5 && path.compare(path.size() - 5, 5, ".clap") == 0;
  }
};

}  // namespace QuorvelHost
