#include "host/lv2/Lv2UiFrame.h"

#include <X11/Xutil.h>

#include "toolkit/x11/ErrorTrap.h"

namespace VstToolkit {

namespace {

// Embedding hosts (suil's wrappers among them) read the widget's size from its hints: the
// base size as the one it wants, the minimum as the least it can show.
void HintSize(::Display* display, ::Window window, int32_t width, int32_t height) {
  XSizeHints hints{};
  hints.flags = PBaseSize | PMinSize;
  hints.base_width = hints.min_width = width;
  hints.base_height = hints.min_height = height;
  XSetWMNormalHints(display, window, &hints);
}

// X window ids are 29-bit numbers; anything wider is no window (a pointer, say).
constexpr uintptr_t kLargestWindowId = 0x1FFFFFFF;
}  // namespace

Lv2UiFrame* Lv2UiFrame::Create(uintptr_t parent, int32_t width, int32_t height) {
  if (parent == 0 || parent > kLargestWindowId || width <= 0 || height <= 0) {
    return nullptr;
  }
  ::Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    return nullptr;
  }
  ::Window window = 0;
  {
    X11Toolkit::ErrorTrap trap(display);
    XSetWindowAttributes attributes{};
    // No background of its own: the view covers it, and a resize does not flash.
    attributes.background_pixmap = None;
    window = XCreateWindow(display, static_cast<::Window>(parent), 0, 0, static_cast<unsigned>(width),
                           static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                           CWBackPixmap, &attributes);
    HintSize(display, window, width, height);
    XMapWindow(display, window);
    if (trap.Failed()) {
      window = 0;
    }
  }
  if (window == 0) {
    XCloseDisplay(display);
    return nullptr;
  }
  return new Lv2UiFrame(display, window);
}

Lv2UiFrame::Lv2UiFrame(::Display* display_, ::Window window_) : display(display_), window(window_) {}

Lv2UiFrame::~Lv2UiFrame() {
  {
    const X11Toolkit::ErrorTrap trap(display);
    XDestroyWindow(display, window);
  }
  XCloseDisplay(display);
}

void Lv2UiFrame::Resize(int32_t width, int32_t height) {
  if (width <= 0 || height <= 0) {
    return;
  }
  const X11Toolkit::ErrorTrap trap(display);
  HintSize(display, window, width, height);
  XResizeWindow(display, window, static_cast<unsigned>(width), static_cast<unsigned>(height));
}

}  // namespace VstToolkit
