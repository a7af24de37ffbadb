#pragma once

#include "toolkit/x11/Control.h"

namespace X11Toolkit {

class FrameStrip;
class ParameterControl;

// A push button stepping a linked parameter control to its next position, wrapping
// to the first, on the release of a press made on the button.
class IncrementButton final : public Control {
 public:
  IncrementButton(const Image& background_, const FrameStrip& strip_, ParameterControl* target_)
      : Control(background_), strip(strip_), target(target_) {}

  void OnButtonPress(const XButtonEvent& event) override;
  void OnButtonRelease(const XButtonEvent& event) override;
  void Draw(cairo_t* cairo) override;

 protected:
  long EventMask() const override;

 private:
  const FrameStrip& strip;     // frame 0 released, frame 1 pressed
  ParameterControl* target;    // a sibling, not owned; none: nothing is stepped
  bool pressed = false;
};

}  // namespace X11Toolkit
