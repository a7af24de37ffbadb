#pragma once

namespace QuorvelHost {

class Validator;

// Checks of the instance's life: loading and closing, every opcode, and the
// call orders that real hosts use.
class LifecycleChecks final {
 public:
  static void Run(Validator& validator);
};

}  // namespace QuorvelHost
