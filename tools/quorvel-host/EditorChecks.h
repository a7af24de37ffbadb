#pragma once

namespace QuorvelHost {

class Validator;

// Checks of the editor, where the module has one and a display is available:
// the size query first, repeated opening and closing, a second effEditOpen
// without effEditClose, and effClose with the editor open.
class EditorChecks final {
 public:
  static void Run(Validator& validator);
};

}  // namespace QuorvelHost
