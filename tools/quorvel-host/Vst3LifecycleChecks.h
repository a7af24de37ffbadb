#pragma once

namespace QuorvelHost {

class Validator;

// The validate battery's VST3 lifecycle checks (Vst3LifecycleChecks.cpp says which).
class Vst3LifecycleChecks final {
 public:
  static void Run(Validator& validator);
};

}  // namespace QuorvelHost
