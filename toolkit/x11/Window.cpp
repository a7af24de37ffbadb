#include "toolkit/x11/Window.h"

#include <X11/Xutil.h>

#include <cstddef>
#include <vector>

#include "toolkit/x11/Connection.h"

namespace X11Toolkit {

namespace {

// An eight-bit channel placed into a visual's mask (of at most eight bits, as true
// colour visuals have them).
unsigned long IntoMask(uint32_t channel, unsigned long mask) {
  if (mask == 0) return 0;
  int low = 0;
  while (((mask >> low) & 1) == 0) ++low;
  int bits = 0;
  while (((mask >> (low + bits)) & 1) != 0) ++bits;
  const uint32_t scaled = bits >= 8 ? channel : channel >> (8 - bits);
  return (static_cast<unsigned long>(scaled) << low) & mask;
}

}  // namespace

Window::~Window() {
  if (connection == nullptr) return;
  if (gc != nullptr) XFreeGC(connection->GetDisplay(), gc);
  if (id == 0) return;
  connection->Unregister(this);
  XDestroyWindow(connection->GetDisplay(), id);
}

bool Window::Create(Connection& connection_, XID parent, int32_t left, int32_t top, int32_t w, int32_t h) {
  x = left;
  y = top;
  width = w;
  height = h;
  ::Display* display = connection_.GetDisplay();
  XSetWindowAttributes attributes{};
  attributes.event_mask = EventMask();
  attributes.background_pixmap = None;  // every paint covers the whole window
  // X refuses windows of no size; an empty control keeps a 1 x 1 window that paints nothing.
  const auto shownWidth = static_cast<unsigned>(w > 0 ? w : 1);
  const auto shownHeight = static_cast<unsigned>(h > 0 ? h : 1);
  id = XCreateWindow(display, parent, left, top, shownWidth, shownHeight, 0, CopyFromParent, InputOutput,
                     CopyFromParent, CWEventMask | CWBackPixmap, &attributes);
  XWindowAttributes created{};
  if (id == 0 || XGetWindowAttributes(display, id, &created) == 0) {
    id = 0;
    return false;
  }
  visual = created.visual;
  depth = created.depth;
  connection = &connection_;
  gc = XCreateGC(display, id, 0, nullptr);
  connection->Register(this);
  Decorate();
  XMapWindow(display, id);
  return true;
}

void Window::OnButtonPress(const XButtonEvent&) {}
void Window::OnButtonRelease(const XButtonEvent&) {}
void Window::OnMotion(const XMotionEvent&) {}
void Window::OnEnter(const XCrossingEvent&) {}
void Window::OnLeave(const XCrossingEvent&) {}
void Window::OnKeyPress(const XKeyEvent&) {}
void Window::OnClientMessage(const XClientMessageEvent&) {}
void Window::OnMapped() {}
void Window::OnDestroyed() {}
void Window::OnTick(std::chrono::steady_clock::time_point) {}

void Window::PaintIfDirty() {
  if (!dirty.exchange(false, std::memory_order_relaxed) || id == 0 || width <= 0 || height <= 0) return;
  // cairo paints into memory of ours and the finished picture goes over in one
  // request, so nothing flickers and cairo keeps no state on the connection.
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  cairo_t* cairo = cairo_create(surface);
  Paint(cairo);
  cairo_destroy(cairo);
  cairo_surface_flush(surface);
  Put(surface);
  cairo_surface_destroy(surface);
}

void Window::Forget() {
  if (connection != nullptr && id != 0) connection->Unregister(this);
  id = 0;
}

void Window::Put(cairo_surface_t* surface) {
  ::Display* display = connection->GetDisplay();
  const int stride = cairo_image_surface_get_stride(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  if (data == nullptr || gc == nullptr) return;
  const bool native = (depth == 24 || depth == 32) && visual->red_mask == 0xFF0000 &&
                      visual->green_mask == 0x00FF00 && visual->blue_mask == 0x0000FF;
  XImage* image = XCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, 0, nullptr,
                               static_cast<unsigned>(width), static_cast<unsigned>(height), 32, native ? stride : 0);
  if (image == nullptr) return;
  std::vector<char> converted;
  if (native) {
    image->data = reinterpret_cast<char*>(data);
  } else {
    // Any other true-colour visual: each pixel moved into its masks.
    converted.resize(static_cast<size_t>(image->bytes_per_line) * static_cast<size_t>(height));
    image->data = converted.data();
    for (int row = 0; row < height; ++row) {
      const auto* line = reinterpret_cast<const uint32_t*>(data + static_cast<ptrdiff_t>(row) * stride);
      for (int column = 0; column < width; ++column) {
        const uint32_t pixel = line[column];
        XPutPixel(image, column, row,
                  IntoMask((pixel >> 16) & 0xFF, visual->red_mask) | IntoMask((pixel >> 8) & 0xFF, visual->green_mask) |
                      IntoMask(pixel & 0xFF, visual->blue_mask));
      }
    }
  }
  XPutImage(display, id, gc, image, 0, 0, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height));
  image->data = nullptr;  // not XDestroyImage's to free
  XDestroyImage(image);
}

long Window::EventMask() const {
  return ExposureMask | StructureNotifyMask;
}

void Window::Decorate() {}

}  // namespace X11Toolkit
