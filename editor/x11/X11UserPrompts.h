#pragma once

#include "instance/UserPrompts.h"

// The editor's popup menu and warning box on X11, as windows of the editor's own
// (X11Toolkit::PopupMenu, X11Toolkit::Box) that the editor's connection holds while
// they are open: each call shows its prompt and returns, and the answer comes at a
// later pump of that connection, or as "dismissed" when the editor closes first. The
// window handles it receives are the view's X11Toolkit::Window objects.
// User-interface thread.
class X11UserPrompts final : public VstToolkit::UserPrompts {
 public:
  // User-interface thread, inside the view's event handling.
  void ShowPopupMenu(VstToolkit::NativeWindow ownerWindow, VstToolkit::NativeWindow anchorWindow, int32_t x, int32_t y,
                     const VstToolkit::PopupMenuItem* items, int32_t count,
                     VstToolkit::MenuAnswer answer) override;
  // User-interface thread, inside the view's event handling or a menu's answer.
  void ConfirmWarning(VstToolkit::NativeWindow ownerWindow, const char* text, const char* caption,
                      VstToolkit::WarningAnswer answer) override;
};
