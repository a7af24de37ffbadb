#pragma once

#include <cstdint>
#include <functional>

#include "instance/NativeWindow.h"

namespace VstToolkit {

struct PopupMenuItem {
  const char* text;
  int32_t command;  // non-zero; 0 is what a dismissed menu answers
};

// The answer to a menu: the chosen command, or 0 when it was dismissed.
using MenuAnswer = std::function<void(int32_t command)>;
// The answer to a warning box: true when the user chose OK.
using WarningAnswer = std::function<void(bool confirmed)>;

// The prompts of the editor, kept behind an interface so that the menu logic stays
// portable and testable; each platform supplies one. Every prompt answers exactly
// once: Windows while the call runs (its modal loops pump the host's messages too),
// Linux at a later pump of the editor's connection, so that no nested loop ever runs
// inside a host call; a prompt whose editor closes first answers "dismissed".
// The texts are copied before the call returns.
// Threads: the user-interface thread, inside the view's event handling.
class UserPrompts {
 public:
  // Shows a popup menu at the client point (x, y) of `anchorWindow`, owned by `ownerWindow`.
  virtual void ShowPopupMenu(NativeWindow ownerWindow, NativeWindow anchorWindow, int32_t x, int32_t y,
                             const PopupMenuItem* items, int32_t count, MenuAnswer answer) = 0;
  // Shows an OK/Cancel warning box.
  virtual void ConfirmWarning(NativeWindow ownerWindow, const char* text, const char* caption,
                              WarningAnswer answer) = 0;

 protected:
  ~UserPrompts() = default;
};

// Prompts for an instance without an editor: every menu is dismissed and every warning
// declined (a process-wide object without state). An editor gives the instance its own.
UserPrompts& GetNoUserPrompts();

}  // namespace VstToolkit
