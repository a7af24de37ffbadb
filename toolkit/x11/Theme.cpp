#include "toolkit/x11/Theme.h"

namespace X11Toolkit {

void Theme::SetColour(cairo_t* cairo, Colour colour) {
  cairo_set_source_rgb(cairo, colour.r, colour.g, colour.b);
}

void Theme::Fill(cairo_t* cairo, Colour colour, const ToolkitCore::Area& area) {
  SetColour(cairo, colour);
  cairo_rectangle(cairo, area.left, area.top, area.Width(), area.Height());
  cairo_fill(cairo);
}

void Theme::Frame(cairo_t* cairo, Colour colour, const ToolkitCore::Area& area) {
  SetColour(cairo, colour);
  cairo_set_line_width(cairo, 1.0);
  cairo_rectangle(cairo, area.left + 0.5, area.top + 0.5, area.Width() - 1.0, area.Height() - 1.0);
  cairo_stroke(cairo);
}

}  // namespace X11Toolkit
