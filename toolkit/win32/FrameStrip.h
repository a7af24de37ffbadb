#pragma once

#include <cstdint>

#include "toolkit/win32/Gdiplus.h"
#include "toolkit/core/FrameLayout.h"

namespace WindowsToolkit {

class ResourceImage;

// A filmstrip of equally sized frames over one image, stacked top to bottom or laid
// out left to right. The image is not owned and may hold no bitmap.
class FrameStrip final {
 public:
  FrameStrip(const ResourceImage* image, uint32_t frameCount, bool vertical);

  uint32_t GetFrameWidth() const;
  uint32_t GetFrameHeight() const;
  uint32_t GetFrameCount() const { return layout.GetFrameCount(); }
  bool IsVertical() const { return layout.IsVertical(); }

  // Draws frame `index` at (0, 0). Draws nothing without a bitmap, and nothing for an
  // index outside the strip, so no caller can make it read beside the frames.
  void DrawFrame(Gdiplus::Graphics& graphics, int32_t index) const;

 private:
  const ResourceImage* image;
  ToolkitCore::FrameLayout layout;
};

}  // namespace WindowsToolkit
