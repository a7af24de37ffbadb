#include "toolkit/x11/Image.h"

#include <cstring>

namespace X11Toolkit {

namespace {

struct Reader {
  EmbeddedBytes bytes;
  size_t offset;
};

cairo_status_t ReadBytes(void* closure, unsigned char* data, unsigned int length) {
  auto* reader = static_cast<Reader*>(closure);
  if (length > reader->bytes.size - reader->offset) return CAIRO_STATUS_READ_ERROR;
  std::memcpy(data, reader->bytes.data + reader->offset, length);
  reader->offset += length;
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

Image::Image(EmbeddedBytes png) {
  if (png.data == nullptr || png.size == 0) return;
  Reader reader{png, 0};
  cairo_surface_t* decoded = cairo_image_surface_create_from_png_stream(ReadBytes, &reader);
  if (cairo_surface_status(decoded) == CAIRO_STATUS_SUCCESS) {
    surface = decoded;
  } else {
    cairo_surface_destroy(decoded);
  }
}

Image::~Image() {
  if (surface != nullptr) cairo_surface_destroy(surface);
}

uint32_t Image::GetWidth() const {
  return surface != nullptr ? static_cast<uint32_t>(cairo_image_surface_get_width(surface)) : 0;
}

uint32_t Image::GetHeight() const {
  return surface != nullptr ? static_cast<uint32_t>(cairo_image_surface_get_height(surface)) : 0;
}

void Image::DrawPart(cairo_t* cairo, int32_t sourceX, int32_t sourceY, int32_t w, int32_t h) const {
  if (surface == nullptr) return;
  cairo_save(cairo);
  cairo_rectangle(cairo, 0, 0, w, h);
  cairo_clip(cairo);
  cairo_set_source_surface(cairo, surface, -sourceX, -sourceY);
  cairo_paint(cairo);
  cairo_restore(cairo);
}

}  // namespace X11Toolkit
