#include "toolkit/x11/Window.h"

#include <cairo/cairo-xlib.h>

#include "toolkit/x11/Connection.h"

namespace X11Toolkit {

Window::~Window() {
  if (connection == nullptr || id == 0) return;
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
  connection = &connection_;
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
  cairo_surface_t* surface = cairo_xlib_surface_create(connection->GetDisplay(), id, visual, width, height);
  cairo_t* cairo = cairo_create(surface);
  cairo_push_group(cairo);
  Paint(cairo);
  cairo_pop_group_to_source(cairo);
  cairo_paint(cairo);
  cairo_destroy(cairo);
  cairo_surface_destroy(surface);
}

void Window::Forget() {
  if (connection != nullptr && id != 0) connection->Unregister(this);
  id = 0;
}

long Window::EventMask() const {
  return ExposureMask | StructureNotifyMask;
}

void Window::Decorate() {}

}  // namespace X11Toolkit
