#include "toolkit/FrameStrip.h"

#include "toolkit/ResourceImage.h"

namespace WindowsToolkit {

FrameStrip::FrameStrip(const ResourceImage* image_, uint32_t frameCount_, bool vertical_)
    : image(image_), frameCount(frameCount_), vertical(vertical_) {}

uint32_t FrameStrip::GetFrameWidth() const {
  if (frameCount == 0 || image == nullptr) return 0;
  return vertical ? image->GetWidth() : image->GetWidth() / frameCount;
}

uint32_t FrameStrip::GetFrameHeight() const {
  if (frameCount == 0 || image == nullptr) return 0;
  return vertical ? image->GetHeight() / frameCount : image->GetHeight();
}

void FrameStrip::DrawFrame(Gdiplus::Graphics& graphics, int32_t index) const {
  if (image == nullptr || image->GetBitmap() == nullptr) return;
  if (index < 0 || static_cast<uint32_t>(index) >= frameCount) return;
  const auto frameWidth = static_cast<INT>(GetFrameWidth());
  const auto frameHeight = static_cast<INT>(GetFrameHeight());
  const INT left = vertical ? 0 : index * frameWidth;
  const INT top = vertical ? index * frameHeight : 0;
  graphics.DrawImage(image->GetBitmap(), 0, 0, left, top, frameWidth, frameHeight, Gdiplus::UnitPixel);
}

}  // namespace WindowsToolkit
