#pragma once

#include <cstdint>

#include "toolkit/win32/Gdiplus.h"

namespace WindowsToolkit {

// One PNG of the module's resources (type "PNG"), decoded into a GDI+ bitmap that
// stays in memory for the life of the holder. GDI+ may read the encoded bytes again
// after decoding, so the block they are kept in stays locked while the bitmap lives.
// GDI+ must be started before the first load and until Release.
class ResourceImage final {
 public:
  ResourceImage() = default;
  ~ResourceImage() { Release(); }
  ResourceImage(const ResourceImage&) = delete;
  ResourceImage& operator=(const ResourceImage&) = delete;

  // A failed load leaves the holder exactly as it was.
  bool LoadFromResource(int id, HINSTANCE instance);
  void Release();
  // Replaces the pixels at (x, y) with all of `patch`'s, as they are (no blending); the
  // part outside this image is dropped. Nothing changes where either has no bitmap or
  // GDI+ cannot copy them.
  void Paste(const ResourceImage& patch, int32_t x, int32_t y);
  // Redraws the image once at another size: each of its `frameCount` frames (laid out
  // as a FrameLayout says) on its own into a frame of frameWidth x frameHeight, with
  // GDI+'s high-quality bicubic filter, so that neighbouring frames never bleed into
  // each other and the result is then drawn pixel for pixel. An image already of that
  // size, or without a bitmap, stays as it is; so does one that cannot be redrawn.
  void Resize(uint32_t frameCount, bool vertical, uint32_t frameWidth, uint32_t frameHeight);

  Gdiplus::Bitmap* GetBitmap() const { return bitmap; }
  // Pixel size of the bitmap; 0 without one.
  uint32_t GetWidth() const;
  uint32_t GetHeight() const;

 private:
  HGLOBAL memory = nullptr;
  Gdiplus::Bitmap* bitmap = nullptr;
};

}  // namespace WindowsToolkit
