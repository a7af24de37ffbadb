#pragma once

#include <functional>
#include <string>

namespace QuorvelHost {

// Runs a group of checks where a crashing plug-in cannot take the tool with
// it: in a child process where the platform has fork, inline elsewhere.
class CheckIsolation final {
 public:
  struct Counts {
    int passed = 0;
    int failed = 0;
    int skipped = 0;
  };

  // The counts the group reports; false with `how` when it ended abnormally
  // (a signal, an exit of the plug-in's own), in which case `counts` holds
  // nothing from it.
  static bool Run(const std::function<Counts()>& group, Counts& counts, std::string& how);
};

}  // namespace QuorvelHost
