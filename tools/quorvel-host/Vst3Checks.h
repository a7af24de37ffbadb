#pragma once

namespace QuorvelHost {

class Validator;

// The validate battery's checks of what only VST3 has (Vst3Checks.cpp says which).
class Vst3Checks final {
 public:
  static void Run(Validator& validator);
};

}  // namespace QuorvelHost
