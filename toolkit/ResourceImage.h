#pragma once

#include <cstdint>

#include "toolkit/Gdiplus.h"

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

  Gdiplus::Bitmap* GetBitmap() const { return bitmap; }
  // Pixel size of the bitmap; 0 without one.
  uint32_t GetWidth() const;
  uint32_t GetHeight() const;

 private:
  HGLOBAL memory = nullptr;
  Gdiplus::Bitmap* bitmap = nullptr;
};

}  // namespace WindowsToolkit
