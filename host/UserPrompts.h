#pragma once

#include <cstdint>

namespace VstToolkit {

struct PopupMenuItem {
  const char* text;
  int32_t command;  // non-zero; 0 is what a dismissed menu answers
};

// The modal prompts of the editor, kept behind an interface so that the
// menu logic stays portable and testable; each platform supplies one.
// Threads: the user-interface thread, inside the view's message handling.
class UserPrompts {
 public:
  // Shows a popup menu at the client point (x, y) of `anchorWindow`, owned by
  // `ownerWindow`, and waits: returns the chosen command or 0 when dismissed.
  virtual int32_t ShowPopupMenu(void* ownerWindow, void* anchorWindow, int32_t x, int32_t y,
                                const PopupMenuItem* items, int32_t count) = 0;
  // Shows a modal OK/Cancel warning box; true when the user chose OK.
  virtual bool ConfirmWarning(void* ownerWindow, const char* text, const char* caption) = 0;

 protected:
  ~UserPrompts() = default;
};

// The platform's prompts (a process-wide object without state).
UserPrompts& GetPlatformUserPrompts();

}  // namespace VstToolkit
