#pragma once

#include "toolkit/x11/Window.h"

namespace X11Toolkit {

class Image;

// Base of every control: it paints the part of the view's background under it, then
// its face, so controls look transparent over the background.
class Control : public Window {
 public:
  void Paint(cairo_t* cairo) final;
  // Paints the control's face over the copied background.
  virtual void Draw(cairo_t* cairo) = 0;

 protected:
  explicit Control(const Image& background_) : background(background_) {}

 private:
  const Image& background;  // the view's, which outlives its controls
};

}  // namespace X11Toolkit
