// The editor's popup menus and warning box with the Win32 modal loops.
#include <windows.h>

#include "editor/win32/Win32UserPrompts.h"

#include "editor/win32/Win32NativeWindow.h"

namespace VstToolkit {

namespace {

class Win32UserPrompts final : public UserPrompts {
 public:
  void ShowPopupMenu(NativeWindow ownerWindow, NativeWindow anchorWindow, int32_t x, int32_t y,
                     const PopupMenuItem* items, int32_t count, MenuAnswer answer) override {
    answer(Track(HwndOf(ownerWindow), HwndOf(anchorWindow), x, y, items, count));
  }

  void ConfirmWarning(NativeWindow ownerWindow, const char* text, const char* caption,
                      WarningAnswer answer) override {
    answer(MessageBoxA(HwndOf(ownerWindow), text, caption, MB_OKCANCEL | MB_ICONWARNING) == IDOK);
  }

 private:
  static int32_t Track(HWND ownerWindow, HWND anchorWindow, int32_t x, int32_t y, const PopupMenuItem* items,
                       int32_t count) {
    POINT point{x, y};
    ClientToScreen(anchorWindow, &point);
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr) {
      return 0;
    }
    for (int32_t i = 0; i < count; ++i) {
      AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(items[i].command), items[i].text);
    }
    const BOOL command =
        TrackPopupMenu(menu, TPM_RETURNCMD, point.x, point.y, 0, ownerWindow, nullptr);
    DestroyMenu(menu);
    return static_cast<int32_t>(command);
  }
};

}  // namespace

UserPrompts& GetWin32UserPrompts() {
  static Win32UserPrompts prompts;
  return prompts;
}

}  // namespace VstToolkit
