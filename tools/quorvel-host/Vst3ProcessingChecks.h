#pragma once

namespace QuorvelHost {

class Validator;

// The validate battery's VST3 processing checks (Vst3ProcessingChecks.cpp says which).
class Vst3ProcessingChecks final {
 public:
  static void Run(Validator& validator);
};

}  // namespace QuorvelHost
