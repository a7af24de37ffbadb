#include "toolkit/x11/StatusControl.h"

#include "toolkit/x11/TextPainter.h"

namespace X11Toolkit {

void StatusControl::Draw(cairo_t* cairo) {
  using ToolkitCore::StatusText;
  const char* shown = text.Get();
  if (shown[0] == '\0') return;
  cairo_rectangle(cairo, 0, 0, width, height - bottomInset);
  cairo_clip(cairo);
  TextPainter painter(cairo, StatusText::kFontFace, fontHeight);
  cairo_set_source_rgb(cairo, StatusText::kColour[0] / 255.0, StatusText::kColour[1] / 255.0,
                       StatusText::kColour[2] / 255.0);
  painter.ShowOnBottom(shown, 0, height - bottomInset);
}

void StatusControl::SetText(const char* newText) {
  text.Set(newText);
  Invalidate();
}

}  // namespace X11Toolkit
