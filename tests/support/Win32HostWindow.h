#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace QuorvelTest {

// What a Windows host sees of the editor it embeds, for the editor tests of every
// format. Test thread only, which is the editors' user-interface thread.
class Win32HostWindow final {
 public:
  // A visible top-level window of 1200 x 900 for the editor to embed in.
  static HWND Create() {
    return CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1200, 900, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  }

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

  // A press at (16, 20) of `knob`, ten mouse moves of a pixel up (0.1 on a knob) and the
  // release, as the mouse's messages; `eachMove`, as the host's audio block, runs after
  // every move.
  static void DragUp(HWND knob, const std::function<void()>& eachMove = nullptr) {
    SendMessageW(knob, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(16, 20));
    for (int i = 1; i <= 10; ++i) {
      SendMessageW(knob, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(16, 20 - i));
      PumpMessages();
      if (eachMove) {
        eachMove();
        PumpMessages();
      }
    }
    SendMessageW(knob, WM_LBUTTONUP, 0, MAKELPARAM(16, 10));
    PumpMessages();
  }

  // The RGB pixels of `window`'s top-left `width` x `height`, row by row, drawn afresh.
  static std::vector<uint32_t> Pixels(HWND window, int width, int height) {
    std::vector<uint32_t> pixels(static_cast<std::size_t>(width * height));
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return pixels;
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
