#include "toolkit/x11/TextPainter.h"

namespace X11Toolkit {

TextPainter::TextPainter(cairo_t* cairo_, const char* face, double cellHeight) : cairo(cairo_) {
  cairo_select_font_face(cairo, face, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cairo, cellHeight);
  cairo_font_extents_t extents{};
  cairo_font_extents(cairo, &extents);
  const double cell = extents.ascent + extents.descent;
  const double scale = cell > 0 ? cellHeight / cell : 1.0;
  cairo_set_font_size(cairo, cellHeight * scale);
  ascent = extents.ascent * scale;
  descent = extents.descent * scale;
}

double TextPainter::Width(const char* text) const {
  cairo_text_extents_t extents{};
  cairo_text_extents(cairo, text, &extents);
  return extents.x_advance;
}

void TextPainter::ShowOnBottom(const char* text, double left, double bottom) const {
  cairo_move_to(cairo, left, bottom - descent);
  cairo_show_text(cairo, text);
}

void TextPainter::ShowCentred(const char* text, const ToolkitCore::Area& area) const {
  const double left = area.left + (area.Width() - Width(text)) / 2.0;
  const double bottom = area.top + (area.Height() + LineHeight()) / 2.0;
  ShowOnBottom(text, left, bottom);
}

}  // namespace X11Toolkit
