#pragma once

#include <cstdint>

#include "instance/NativeWindow.h"
#include "toolkit/x11/Window.h"

// The editor's own X11 windows as they cross layers: the toolkit's window object.
inline VstToolkit::NativeWindow HandleOf(const X11Toolkit::Window* window) {
  return VstToolkit::NativeWindow{reinterpret_cast<uintptr_t>(window)};
}

inline X11Toolkit::Window* WindowOf(VstToolkit::NativeWindow handle) {
  return reinterpret_cast<X11Toolkit::Window*>(handle.value);
}
