#include "toolkit/ResourceImage.h"

#include <cstring>

namespace WindowsToolkit {

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

uint32_t ResourceImage::GetWidth() const {
  return bitmap != nullptr ? bitmap->GetWidth() : 0;
}

uint32_t ResourceImage::GetHeight() const {
  return bitmap != nullptr ? bitmap->GetHeight() : 0;
}

}  // namespace WindowsToolkit
