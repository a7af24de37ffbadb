// The editor's popup menus and warning box with the Win32 modal loops.
#include <windows.h>

#include "host/UserPrompts.h"

namespace VstToolkit {

namespace {

class Win32UserPrompts final : public UserPrompts {
 public:
  int32_t ShowPopupMenu(void* ownerWindow, void* anchorWindow, int32_t x, int32_t y, const PopupMenuItem* items,
                        int32_t count) override {
    POINT point{x, y};
    ClientToScreen(static_cast<HWND>(anchorWindow), &point);
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr) {
      return 0;
    }
    for (int32_t i = 0; i < count; ++i) {
      AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(items[i].command), items[i].text);
    }
    const BOOL command =
        TrackPopupMenu(menu, TPM_RETURNCMD, point.x, point.y, 0, static_cast<HWND>(ownerWindow), nullptr);
    DestroyMenu(menu);
    return static_cast<int32_t>(command);
  }

  bool ConfirmWarning(void* ownerWindow, const char* text, const char* caption) override {
    return MessageBoxA(static_cast<HWND>(ownerWindow), text, caption, MB_OKCANCEL | MB_ICONWARNING) == IDOK;
  }
};

}  // namespace

UserPrompts& GetPlatformUserPrompts() {
  static Win32UserPrompts prompts;
  return prompts;
}

}  // namespace VstToolkit
