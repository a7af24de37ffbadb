#pragma once

#include <X11/Xlib.h>

#include <cstdint>

namespace VstToolkit {

// The UI's widget: one plain X window inside the host's ui:parent that lives as long as
// the UI, with the editor's view inside it. The view is made again when its scale
// changes (a desktop's new Xft.dpi), which gives it a new window id; the host holds the
// widget's id from instantiation on, so that id must stay the one it embedded. The frame
// is on a connection of its own; every request runs in an ErrorTrap, since the host may
// destroy its window, and the frame with it, at any time.
// Threads: the host's user-interface thread, for every call.
class Lv2UiFrame final {
 public:
  // Null where no display opens or `parent` is no window the server knows.
  static Lv2UiFrame* Create(uintptr_t parent, int32_t width, int32_t height);
  ~Lv2UiFrame();
  Lv2UiFrame(const Lv2UiFrame&) = delete;
  Lv2UiFrame& operator=(const Lv2UiFrame&) = delete;

  uintptr_t Id() const { return window; }
  // Fits the frame to the view, which asked for this size.
  void Resize(int32_t width, int32_t height);

 private:
  Lv2UiFrame(::Display* display, ::Window window);

  ::Display* display;
  ::Window window;
};

}  // namespace VstToolkit
