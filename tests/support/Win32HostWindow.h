#pragma once

#include <windows.h>

#include <vector>

namespace QuorvelTest {

// What a Windows host sees of the editor it embeds, for the editor tests of every
// format. Test thread only, which is the editors' user-interface thread.
class Win32HostWindow final {
 public:
  // The child windows of `parent`, with their sizes.
  static std::vector<SIZE> ChildSizes(HWND parent) {
    std::vector<SIZE> sizes;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
      RECT rect{};
      GetWindowRect(child, &rect);
      sizes.push_back(SIZE{rect.right - rect.left, rect.bottom - rect.top});
    }
    return sizes;
  }

  // The child of `parent` whose top-left corner is at (x, y) of it; null if none.
  static HWND ChildAt(HWND parent, LONG x, LONG y) {
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
      RECT rect{};
      GetWindowRect(child, &rect);
      MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
      if (rect.left == x && rect.top == y) return child;
    }
    return nullptr;
  }

  // Delivers every message waiting for this thread, as the host's loop would.
  static void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
};

}  // namespace QuorvelTest
