#pragma once

#include <cairo/cairo.h>

#include <cstdint>

#include "toolkit/core/FrameLayout.h"

namespace X11Toolkit {

class Image;

// A filmstrip over one image (not owned, possibly empty), drawn a frame at a time.
class FrameStrip final {
 public:
  FrameStrip(const Image* image_, uint32_t frameCount, bool vertical) : image(image_), layout(frameCount, vertical) {}

  uint32_t GetFrameWidth() const;
  uint32_t GetFrameHeight() const;
  uint32_t GetFrameCount() const { return layout.GetFrameCount(); }
  bool IsVertical() const { return layout.IsVertical(); }
  // Draws frame `index` at (0, 0); nothing for an index outside the strip.
  void DrawFrame(cairo_t* cairo, int32_t index) const;

 private:
  const Image* image;
  ToolkitCore::FrameLayout layout;
};

}  // namespace X11Toolkit
