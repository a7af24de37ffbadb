#pragma once

namespace QuorvelHost {

class Validator;

// Checks of a VST2 instance's life: loading and releasing (the check every format runs),
// every opcode, and the call orders that real hosts use.
class LifecycleChecks final {
 public:
  static void Run(Validator& validator);
};

}  // namespace QuorvelHost
