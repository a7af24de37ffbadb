// The editor's popup menus and warning box with the Win32 modal loops.
#include <windows.h>

#include "host/UserPrompts.h"

namespace VstToolkit {

namespace {

class Win32UserPrompts final : public UserPrompts {
 public:
  void ShowPopupMenu(void* ownerWindow, void* anchorWindow, int32_t x, int32_t y, const PopupMenuItem* items,
                     int32_t count, MenuAnswer answer) override {
    answer(Track(ownerWindow, anchorWindow, x, y, items, count));
  }

  void ConfirmWarning(void* ownerWindow, const char* text, const char* caption, WarningAnswer answer) override {
    answer(MessageBoxA(static_cast<HWND>(ownerWindow), text, caption, MB_OKCANCEL | MB_ICONWARNING) == IDOK);
  }

 private:
  static int32_t Track(void* ownerWindow, void* anchorWindow, int32_t x, int32_t y, const PopupMenuItem* items,
                       int32_t count) {
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
};

}  // namespace

UserPrompts& GetPlatformUserPrompts() {
  static Win32UserPrompts prompts;
  return prompts;
}

}  // namespace VstToolkit
