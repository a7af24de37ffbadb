#pragma once

#include <windows.h>

#include <cstdint>

namespace WindowsToolkit {

// The dots per inch Windows gives a window (96 at 100 %), for the editor's scale
// factor. In a host that is not DPI-aware this answers 96, as Windows then stretches
// the whole host itself. A null window (or one that is gone) asks for the system's
// DPI, which is what decides before the host's window exists. GetDpiForWindow and
// GetDpiForSystem (Windows 10 1607 and later) are looked up at run time so that the
// module still loads on older systems, which answer with the screen's LOGPIXELSX.
// Threads: any; the window belongs to the calling thread.
int32_t WindowDpi(HWND window);

}  // namespace WindowsToolkit
