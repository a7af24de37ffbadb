#include "toolkit/x11/IncrementButton.h"

#include "toolkit/x11/FrameStrip.h"
#include "toolkit/x11/ParameterControl.h"

namespace X11Toolkit {

void IncrementButton::OnButtonPress(const XButtonEvent& event) {
  if (event.button != Button1) return;
  pressed = true;
  Invalidate();
}

void IncrementButton::OnButtonRelease(const XButtonEvent& event) {
  if (event.button != Button1 || !pressed) return;
  if (target != nullptr) target->Step();
  pressed = false;
  Invalidate();
}

void IncrementButton::Draw(cairo_t* cairo) {
  strip.DrawFrame(cairo, pressed ? 1 : 0);
}

long IncrementButton::EventMask() const {
  return Window::EventMask() | ButtonPressMask | ButtonReleaseMask;
}

}  // namespace X11Toolkit
