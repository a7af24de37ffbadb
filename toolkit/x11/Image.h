#pragma once

#include <cairo/cairo.h>

#include <cstddef>
#include <cstdint>

namespace X11Toolkit {

// PNG bytes built into the module.
struct EmbeddedBytes {
  const unsigned char* data;
  size_t size;
};

// One PNG decoded by cairo into an image surface that stays in memory for the life
// of the holder. A failed decode leaves it empty: size 0, nothing drawn.
class Image final {
 public:
  explicit Image(EmbeddedBytes png);
  ~Image();
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;

  cairo_surface_t* GetSurface() const { return surface; }
  uint32_t GetWidth() const;
  uint32_t GetHeight() const;
  // Draws the image's rectangle at (sourceX, sourceY) of w x h at (0, 0) of `cairo`.
  void DrawPart(cairo_t* cairo, int32_t sourceX, int32_t sourceY, int32_t w, int32_t h) const;
  // Replaces the pixels at (x, y) with all of `patch`'s, as they are (no blending); the
  // part outside this image is dropped. Nothing changes where either image is empty.
  void Paste(const Image& patch, int32_t x, int32_t y);
  // Redraws the image once, for a scale its pixels were not made for: each of its
  // `frameCount` frames (stacked top to bottom, or laid left to right) becomes
  // `frameWidth` x `frameHeight` pixels, filtered from its own pixels alone (cairo's
  // best filter, edges padded), so that frames do not bleed into each other and every
  // later draw is pixel for pixel. Nothing changes where the sizes are already those
  // or the new image cannot be made.
  void Resize(uint32_t frameCount, bool vertical, uint32_t frameWidth, uint32_t frameHeight);

 private:
  cairo_surface_t* surface = nullptr;
};

}  // namespace X11Toolkit
