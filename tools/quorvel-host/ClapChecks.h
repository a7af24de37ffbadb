#pragma once

namespace QuorvelHost {

class Validator;

// The validate battery's groups for a CLAP module, run as a strict host: each check also
// fails when the plug-in called the host on a thread the format forbids for that call.
class ClapChecks final {
 public:
  static void Lifecycle(Validator& validator);
  static void Processing(Validator& validator);
  static void State(Validator& validator);
  static void Editor(Validator& validator);
};

}  // namespace QuorvelHost
