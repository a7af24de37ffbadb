#pragma once

#include <cairo/cairo.h>

#include "toolkit/core/Area.h"

namespace X11Toolkit {

// Text in one face at a cell height in pixels, as Windows sizes its fonts (ascent
// plus descent, not the em), drawn with the source colour already set.
class TextPainter final {
 public:
  TextPainter(cairo_t* cairo_, const char* face, double cellHeight);

  double Width(const char* text) const;
  // One line from x, its cell resting on `bottom`.
  void ShowOnBottom(const char* text, double left, double bottom) const;
  // One line centred in `area`.
  void ShowCentred(const char* text, const ToolkitCore::Area& area) const;
  double LineHeight() const { return ascent + descent; }

 private:
  cairo_t* cairo;
  double ascent = 0;
  double descent = 0;
};

}  // namespace X11Toolkit
