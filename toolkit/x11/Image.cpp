#include "toolkit/x11/Image.h"

#include <cstring>

#include "toolkit/core/FrameLayout.h"

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

void Image::Paste(const Image& patch, int32_t x, int32_t y) {
  if (surface == nullptr || patch.surface == nullptr) return;
  cairo_t* target = cairo_create(surface);
  cairo_set_operator(target, CAIRO_OPERATOR_SOURCE);
  cairo_rectangle(target, x, y, patch.GetWidth(), patch.GetHeight());
  cairo_clip(target);
  cairo_set_source_surface(target, patch.surface, x, y);
  cairo_paint(target);
  cairo_destroy(target);
  cairo_surface_flush(surface);
}

void Image::Resize(uint32_t frameCount, bool vertical, uint32_t frameWidth, uint32_t frameHeight) {
  // cairo's image surfaces are at most 32767 pixels on a side.
  constexpr uint64_t kLargest = 32767;
  const ToolkitCore::FrameLayout layout(frameCount, vertical);
  const uint32_t sourceWidth = layout.FrameWidth(GetWidth());
  const uint32_t sourceHeight = layout.FrameHeight(GetHeight());
  const uint64_t width = vertical ? frameWidth : uint64_t{frameWidth} * frameCount;
  const uint64_t height = vertical ? uint64_t{frameHeight} * frameCount : frameHeight;
  if (surface == nullptr || sourceWidth == 0 || sourceHeight == 0 || width == 0 || height == 0 ||
      width > kLargest || height > kLargest || (sourceWidth == frameWidth && sourceHeight == frameHeight)) {
    return;
  }
  cairo_surface_t* resized =
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(width), static_cast<int>(height));
  cairo_surface_t* frame = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(sourceWidth),
                                                      static_cast<int>(sourceHeight));
  if (cairo_surface_status(resized) != CAIRO_STATUS_SUCCESS || cairo_surface_status(frame) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(frame);
    cairo_surface_destroy(resized);
    return;
  }
  cairo_t* target = cairo_create(resized);
  cairo_t* copy = cairo_create(frame);
  cairo_set_operator(target, CAIRO_OPERATOR_SOURCE);
  cairo_set_operator(copy, CAIRO_OPERATOR_SOURCE);
  for (uint32_t i = 0; i < frameCount; ++i) {
    const auto index = static_cast<int32_t>(i);
    // The frame alone first: the filter reads no pixel of its neighbours.
    cairo_set_source_surface(copy, surface, -layout.SourceLeft(index, GetWidth()),
                             -layout.SourceTop(index, GetHeight()));
    cairo_paint(copy);
    cairo_surface_flush(frame);
    const double left = vertical ? 0.0 : static_cast<double>(i) * frameWidth;
    const double top = vertical ? static_cast<double>(i) * frameHeight : 0.0;
    cairo_save(target);
    cairo_rectangle(target, left, top, frameWidth, frameHeight);
    cairo_clip(target);
    cairo_translate(target, left, top);
    cairo_scale(target, static_cast<double>(frameWidth) / sourceWidth, static_cast<double>(frameHeight) / sourceHeight);
    cairo_set_source_surface(target, frame, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(target), CAIRO_FILTER_BEST);
    cairo_pattern_set_extend(cairo_get_source(target), CAIRO_EXTEND_PAD);
    cairo_paint(target);
    cairo_restore(target);
  }
  cairo_destroy(copy);
  cairo_destroy(target);
  cairo_surface_destroy(frame);
  cairo_surface_flush(resized);
  cairo_surface_destroy(surface);
  surface = resized;
}

}  // namespace X11Toolkit
