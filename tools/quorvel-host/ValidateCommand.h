#pragma once

#include <string>
#include <vector>

namespace QuorvelHost {

// quorvel-host validate MODULE [--bank FILE]: the battery of host checks, one
// line each; exit status 0 only when every check passes.
class ValidateCommand final {
 public:
  static int Run(const std::vector<std::string>& args);
};

}  // namespace QuorvelHost
