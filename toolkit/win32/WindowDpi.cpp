#include "toolkit/win32/WindowDpi.h"

namespace WindowsToolkit {

namespace {

using DpiForWindow = UINT(WINAPI*)(HWND);
using DpiForSystem = UINT(WINAPI*)();

// user32 is loaded in every process that has windows; its functions stay put.
FARPROC User32Function(const char* name) {
  HMODULE user32 = GetModuleHandleA("user32.dll");
  return user32 != nullptr ? GetProcAddress(user32, name) : nullptr;
}

template <typename Function>
Function Lookup(const char* name) {
  // Through void (*)(), which converts to any function type without a warning.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(User32Function(name)));
}

int32_t ScreenDpi() {
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return 96;
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

}  // namespace

int32_t WindowDpi(HWND window) {
  UINT dpi = 0;
  if (window != nullptr && IsWindow(window)) {
    static const auto forWindow = Lookup<DpiForWindow>("GetDpiForWindow");
    if (forWindow != nullptr) dpi = forWindow(window);
  } else {
    static const auto forSystem = Lookup<DpiForSystem>("GetDpiForSystem");
    if (forSystem != nullptr) dpi = forSystem();
  }
  // 0 is the functions' answer for a window that is not one; beyond 4800 dpi is no screen.
  return dpi > 0 && dpi <= 4800 ? static_cast<int32_t>(dpi) : ScreenDpi();
}

}  // namespace WindowsToolkit
