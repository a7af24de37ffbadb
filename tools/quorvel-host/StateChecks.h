#pragma once

namespace QuorvelHost {

class Validator;

// Checks of saved state: program and bank chunks, rejected chunks, and MIDI
// controller bindings carried by the bank.
class StateChecks final {
 public:
  static void Run(Validator& validator);
};

}  // namespace QuorvelHost
