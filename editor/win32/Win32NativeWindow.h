#pragma once

#include <windows.h>

#include <cstdint>

#include "instance/NativeWindow.h"

// Windows as they cross layers: the HWND.
inline VstToolkit::NativeWindow HandleOf(HWND window) {
  return VstToolkit::NativeWindow{reinterpret_cast<uintptr_t>(window)};
}

inline HWND HwndOf(VstToolkit::NativeWindow handle) {
  return reinterpret_cast<HWND>(handle.value);
}
