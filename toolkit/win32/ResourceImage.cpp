#include "toolkit/win32/ResourceImage.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>

#include "toolkit/core/FrameLayout.h"

namespace WindowsToolkit {

namespace {

// The redrawing itself; null where GDI+ cannot make the new bitmap.
std::unique_ptr<Gdiplus::Bitmap> Redraw(Gdiplus::Bitmap& source, uint32_t frameCount, bool vertical, uint32_t frameWidth,
                                        uint32_t frameHeight) {
  const ToolkitCore::FrameLayout layout(frameCount, vertical);
  const uint64_t width = vertical ? frameWidth : uint64_t{frameWidth} * frameCount;
  const uint64_t height = vertical ? uint64_t{frameHeight} * frameCount : frameHeight;
  if (frameCount == 0 || width == 0 || height == 0 || width > INT32_MAX || height > INT32_MAX) return nullptr;
  auto resized = std::make_unique<Gdiplus::Bitmap>(static_cast<INT>(width), static_cast<INT>(height),
                                                   PixelFormat32bppARGB);
  if (resized->GetLastStatus() != Gdiplus::Ok) return nullptr;
  Gdiplus::Graphics graphics(resized.get());
  graphics.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
  graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
  graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHighQuality);
  // Mirrored beyond its edges, a frame's border pixels are not faded by the filter.
  Gdiplus::ImageAttributes edges;
  edges.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
  const uint32_t sourceWidth = source.GetWidth(), sourceHeight = source.GetHeight();
  for (uint32_t frame = 0; frame < frameCount; ++frame) {
    const auto index = static_cast<int32_t>(frame);
    const Gdiplus::Rect target(layout.SourceLeft(index, static_cast<uint32_t>(width)),
                               layout.SourceTop(index, static_cast<uint32_t>(height)),
                               static_cast<INT>(frameWidth), static_cast<INT>(frameHeight));
    graphics.DrawImage(&source, target, layout.SourceLeft(index, sourceWidth), layout.SourceTop(index, sourceHeight),
                       static_cast<INT>(layout.FrameWidth(sourceWidth)),
                       static_cast<INT>(layout.FrameHeight(sourceHeight)), Gdiplus::UnitPixel, &edges);
  }
  return resized;
}

}  // namespace

bool ResourceImage::LoadFromResource(int id, HINSTANCE instance) {
  HRSRC resource = FindResourceA(instance, MAKEINTRESOURCEA(id), "PNG");
  if (resource == nullptr) return false;
  const DWORD size = SizeofResource(instance, resource);
  if (size == 0) return false;
  HGLOBAL loaded = LoadResource(instance, resource);
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes == nullptr) return false;

  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (block == nullptr) return false;
  void* copy = GlobalLock(block);
  if (copy == nullptr) {
    GlobalFree(block);
    return false;
  }
  std::memcpy(copy, bytes, size);
  IStream* stream = nullptr;
  if (CreateStreamOnHGlobal(block, FALSE, &stream) != S_OK || stream == nullptr) {
    GlobalUnlock(block);
    GlobalFree(block);
    return false;
  }
  Gdiplus::Bitmap* decoded = Gdiplus::Bitmap::FromStream(stream);
  stream->Release();
  if (decoded == nullptr || decoded->GetLastStatus() != Gdiplus::Ok) {
    delete decoded;
    GlobalUnlock(block);
    GlobalFree(block);
    return false;
  }
  Release();
  memory = block;
  bitmap = decoded;
  return true;
}

void ResourceImage::Release() {
  delete bitmap;
  bitmap = nullptr;
  if (memory != nullptr) {
    GlobalUnlock(memory);
    GlobalFree(memory);
    memory = nullptr;
  }
}

void ResourceImage::Resize(uint32_t frameCount, bool vertical, uint32_t frameWidth, uint32_t frameHeight) {
  const uint32_t width = vertical ? frameWidth : frameWidth * frameCount;
  const uint32_t height = vertical ? frameHeight * frameCount : frameHeight;
  if (bitmap == nullptr || (width == GetWidth() && height == GetHeight())) return;
  std::unique_ptr<Gdiplus::Bitmap> resized = Redraw(*bitmap, frameCount, vertical, frameWidth, frameHeight);
  if (resized == nullptr) return;
  Release();
  bitmap = resized.release();
}

void ResourceImage::Paste(const ResourceImage& patch, int32_t x, int32_t y) {
  if (bitmap == nullptr || patch.bitmap == nullptr) return;
  const auto width = static_cast<INT>(GetWidth());
  const auto height = static_cast<INT>(GetHeight());
  // Into a bitmap of our own: the loaded one may still decode from its locked bytes.
  auto pasted = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppARGB);
  if (pasted->GetLastStatus() != Gdiplus::Ok) return;
  Gdiplus::Rect whole(0, 0, width, height);
  Gdiplus::BitmapData from{};
  Gdiplus::BitmapData to{};
  if (pasted->LockBits(&whole, Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB, &to) != Gdiplus::Ok) return;
  bool copied = bitmap->LockBits(&whole, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &from) == Gdiplus::Ok;
  const auto rowOf = [](const Gdiplus::BitmapData& data, INT row) {
    return static_cast<BYTE*>(data.Scan0) + static_cast<ptrdiff_t>(row) * data.Stride;
  };
  if (copied) {
    for (INT row = 0; row < height; ++row) std::memcpy(rowOf(to, row), rowOf(from, row), static_cast<size_t>(width) * 4);
    bitmap->UnlockBits(&from);
    const INT left = x > 0 ? x : 0;
    const INT top = y > 0 ? y : 0;
    const INT right = std::min<INT>(width, x + static_cast<INT>(patch.GetWidth()));
    const INT bottom = std::min<INT>(height, y + static_cast<INT>(patch.GetHeight()));
    if (left < right && top < bottom) {
      Gdiplus::Rect part(left - x, top - y, right - left, bottom - top);
      copied = patch.bitmap->LockBits(&part, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &from) == Gdiplus::Ok;
      if (copied) {
        for (INT row = 0; row < bottom - top; ++row) {
          std::memcpy(rowOf(to, top + row) + static_cast<ptrdiff_t>(left) * 4, rowOf(from, row),
                      static_cast<size_t>(right - left) * 4);
        }
        patch.bitmap->UnlockBits(&from);
      }
    }
  }
  pasted->UnlockBits(&to);
  if (!copied) return;
  Release();
  bitmap = pasted.release();
}

uint32_t ResourceImage::GetWidth() const {
  return bitmap != nullptr ? bitmap->GetWidth() : 0;
}

uint32_t ResourceImage::GetHeight() const {
  return bitmap != nullptr ? bitmap->GetHeight() : 0;
}

}  // namespace WindowsToolkit
