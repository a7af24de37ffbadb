#pragma once

#include "host/UserPrompts.h"

// The editor's popup menu and warning box on X11, as windows of the editor's own
// (X11Toolkit::PopupMenu, X11Toolkit::Box). The window handles it receives are the
// view's X11Toolkit::Window objects. User-interface thread.
class X11UserPrompts final : public VstToolkit::UserPrompts {
 public:
  void ShowPopupMenu(void* ownerWindow, void* anchorWindow, int32_t x, int32_t y,
                     const VstToolkit::PopupMenuItem* items, int32_t count, VstToolkit::MenuAnswer answer) override;
  void ConfirmWarning(void* ownerWindow, const char* text, const char* caption,
                      VstToolkit::WarningAnswer answer) override;

 private:
  static int32_t RunMenu(void* anchorWindow, int32_t x, int32_t y, const VstToolkit::PopupMenuItem* items,
                         int32_t count);
  static bool RunWarning(void* ownerWindow, const char* text, const char* caption);
};
