#pragma once

namespace QuorvelHost {

class Validator;

// The validate battery's VST3 state checks (Vst3StateChecks.cpp says which).
class Vst3StateChecks final {
 public:
  static void Run(Validator& validator);
};

}  // namespace QuorvelHost
