#include "toolkit/win32/FrameStrip.h"

#include "toolkit/win32/ResourceImage.h"

namespace WindowsToolkit {

FrameStrip::FrameStrip(const ResourceImage* image_, uint32_t frameCount_, bool vertical_)
    : image(image_), layout(frameCount_, vertical_) {}

uint32_t FrameStrip::GetFrameWidth() const {
  return image != nullptr ? layout.FrameWidth(image->GetWidth()) : 0;
}

uint32_t FrameStrip::GetFrameHeight() const {
  return image != nullptr ? layout.FrameHeight(image->GetHeight()) : 0;
}

void FrameStrip::DrawFrame(Gdiplus::Graphics& graphics, int32_t index) const {
  if (image == nullptr || image->GetBitmap() == nullptr || !layout.HasFrame(index)) return;
  const auto frameWidth = static_cast<INT>(GetFrameWidth());
  const auto frameHeight = static_cast<INT>(GetFrameHeight());
  // Into a rectangle of the frame's pixel size, whatever the image's and the screen's DPI.
  graphics.DrawImage(image->GetBitmap(), Gdiplus::Rect(0, 0, frameWidth, frameHeight),
                     layout.SourceLeft(index, image->GetWidth()), layout.SourceTop(index, image->GetHeight()),
                     frameWidth, frameHeight, Gdiplus::UnitPixel);
}

}  // namespace WindowsToolkit
