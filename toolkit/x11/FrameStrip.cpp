#include "toolkit/x11/FrameStrip.h"

#include "toolkit/x11/Image.h"

namespace X11Toolkit {

uint32_t FrameStrip::GetFrameWidth() const {
  return layout.FrameWidth(image->GetWidth());
}

uint32_t FrameStrip::GetFrameHeight() const {
  return layout.FrameHeight(image->GetHeight());
}

void FrameStrip::DrawFrame(cairo_t* cairo, int32_t index) const {
  if (!layout.HasFrame(index)) return;
  image->DrawPart(cairo, layout.SourceLeft(index, image->GetWidth()), layout.SourceTop(index, image->GetHeight()),
                  static_cast<int32_t>(GetFrameWidth()), static_cast<int32_t>(GetFrameHeight()));
}

}  // namespace X11Toolkit
