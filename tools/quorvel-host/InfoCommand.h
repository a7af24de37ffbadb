#pragma once

#include <string>
#include <vector>

namespace QuorvelHost {

// quorvel-host info MODULE: everything a host can learn about a plug-in.
class InfoCommand final {
 public:
  static int Run(const std::vector<std::string>& args);
};

}  // namespace QuorvelHost
