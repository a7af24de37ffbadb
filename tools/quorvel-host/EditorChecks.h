#pragma once

namespace QuorvelHost {

class Validator;

// Checks of the editor, where the module has one and a display is available. Every
// format: opened (at scales 1 and 2 by turns), automated and closed again and again
// (Shared). A VST2 module also: the size query first, a second effEditOpen without
// effEditClose, and effClose with the editor open (Run).
// Threads: the thread that runs the battery, as the host's user-interface thread.
class EditorChecks final {
 public:
  static void Run(Validator& validator);
  static void Shared(Validator& validator);
};

}  // namespace QuorvelHost
