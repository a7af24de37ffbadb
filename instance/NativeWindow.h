#pragma once

#include <cstdint>

namespace VstToolkit {

// A window of the platform's as it crosses layers: what the host hands the editor to
// live in (an HWND on Windows, an X window id on X11), or one of the editor's own
// windows that a menu or box opens on (an HWND, or the X11 toolkit's window object).
// Only the platform's own files make one or look inside.
struct NativeWindow {
  uintptr_t value = 0;

  bool IsNull() const { return value == 0; }
  bool operator==(const NativeWindow& other) const { return value == other.value; }
};

}  // namespace VstToolkit
