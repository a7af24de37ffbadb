#include "toolkit/x11/Control.h"

#include "toolkit/x11/Image.h"

namespace X11Toolkit {

void Control::Paint(cairo_t* cairo) {
  background.DrawPart(cairo, x, y, width, height);
  Draw(cairo);
}

}  // namespace X11Toolkit
