#pragma once

namespace QuorvelHost {

class Validator;

// The validate battery's VST3 realtime checks (Vst3RealtimeChecks.cpp says which).
class Vst3RealtimeChecks final {
 public:
  static void Run(Validator& validator);
};

}  // namespace QuorvelHost
