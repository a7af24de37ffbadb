#pragma once

#include <windows.h>

class ScaledLayout;

// The modal About box of the Windows editor: the dialog template's picture and two
// buttons, laid out in pixels from the shared layout at the editor's scale factor,
// so that it has the same size and places on every system, whatever its dialog font.
// User-interface thread.
class AboutBox final {
 public:
  // Runs the box over `owner`; returns when the user closes it.
  static void Run(HWND owner, HINSTANCE instance, const ScaledLayout& layout);
};
