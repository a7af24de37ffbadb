#include "toolkit/x11/Connection.h"

#include <X11/Xatom.h>
#include <poll.h>

#include "toolkit/XftDpi.h"
#include "toolkit/x11/Window.h"

namespace X11Toolkit {

namespace {
// How long a nested loop sleeps at most between looks at the windows that asked to
// be painted from other threads.
constexpr int kNestedPollMilliseconds = 20;
// The most of the resource database read, in 32-bit units: far more than desktops set.
constexpr long kLongestResources = 1 << 20;

// The "Xft.dpi" of the root window's resource database as it is now, 0 where none is set.
double XftDpiOf(::Display* display) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  double dpi = 0.0;
  if (XGetWindowProperty(display, DefaultRootWindow(display), XA_RESOURCE_MANAGER, 0, kLongestResources, False,
                         XA_STRING, &type, &format, &count, &remaining, &data) == Success &&
      data != nullptr) {
    // Xlib ends what it returns with a zero byte of its own.
    if (type == XA_STRING && format == 8) dpi = Toolkit::XftDpi(reinterpret_cast<const char*>(data));
    XFree(data);
  }
  return dpi;
}

}  // namespace

Connection* Connection::Open() {
  ::Display* display = XOpenDisplay(nullptr);
  return display != nullptr ? new Connection(display) : nullptr;
}

Connection::Connection(::Display* display_) : display(display_) {
  for (int i = 0; i < 4; ++i) {
    notificationAtoms[i] = XInternAtom(display, ToolkitCore::kNotificationNames[i], False);
  }
  deleteAtom = XInternAtom(display, "WM_DELETE_WINDOW", False);
}

Connection::~Connection() {
  XCloseDisplay(display);
}

void Connection::Pump() {
  while (XPending(display) > 0) {
    XEvent event;
    XNextEvent(display, &event);
    Dispatch(event);
  }
  PaintAndTick();
}

void Connection::RunUntil(const std::function<bool()>& done) {
  while (!done()) {
    if (XPending(display) == 0) {
      PaintAndTick();
      if (done()) break;
      pollfd wait{ConnectionNumber(display), POLLIN, 0};
      poll(&wait, 1, kNestedPollMilliseconds);
      if (XPending(display) == 0) continue;
    }
    XEvent event;
    XNextEvent(display, &event);
    Dispatch(event);
  }
  PaintAndTick();
}

double Connection::ResourceDpi() const {
  return XftDpiOf(display);
}

double Connection::ServerDpi() {
  ::Display* probe = XOpenDisplay(nullptr);
  if (probe == nullptr) return 0.0;
  const double dpi = XftDpiOf(probe);
  XCloseDisplay(probe);
  return dpi;
}

void Connection::WatchResources() {
  XSelectInput(display, DefaultRootWindow(display), PropertyChangeMask);
}

bool Connection::TakeResourcesChanged() {
  const bool changed = resourcesChanged;
  resourcesChanged = false;
  return changed;
}

void Connection::Register(Window* window) {
  windows[window->GetId()] = window;
}

void Connection::Unregister(Window* window) {
  const auto found = windows.find(window->GetId());
  if (found != windows.end() && found->second == window) windows.erase(found);
}

void Connection::Post(const Window& view, ToolkitCore::Notification notification, int32_t index,
                      const Window& control) {
  if (view.GetId() == 0) return;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = view.GetId();
  event.xclient.message_type = notificationAtoms[static_cast<int>(notification)];
  event.xclient.format = 32;
  event.xclient.data.l[0] = index;
  event.xclient.data.l[1] = static_cast<long>(control.GetId());
  XSendEvent(display, view.GetId(), False, NoEventMask, &event);
}

bool Connection::IsNotification(const XClientMessageEvent& message, ToolkitCore::Notification& notification) const {
  if (message.format != 32) return false;
  for (int i = 0; i < 4; ++i) {
    if (message.message_type == notificationAtoms[i]) {
      notification = static_cast<ToolkitCore::Notification>(i);
      return true;
    }
  }
  return false;
}

void Connection::Dispatch(XEvent& event) {
  if (event.type == PropertyNotify) {
    // Only the root window's are asked for.
    if (event.xproperty.window == DefaultRootWindow(display) && event.xproperty.atom == XA_RESOURCE_MANAGER) {
      resourcesChanged = true;
    }
    return;
  }
  const auto found = windows.find(event.xany.window);
  if (found == windows.end()) return;
  Window* window = found->second;
  switch (event.type) {
    case Expose:
      window->Invalidate();
      break;
    case ButtonPress:
      window->OnButtonPress(event.xbutton);
      break;
    case ButtonRelease:
      window->OnButtonRelease(event.xbutton);
      break;
    case MotionNotify:
      window->OnMotion(event.xmotion);
      break;
    case EnterNotify:
      window->OnEnter(event.xcrossing);
      break;
    case LeaveNotify:
      window->OnLeave(event.xcrossing);
      break;
    case KeyPress:
      window->OnKeyPress(event.xkey);
      break;
    case ClientMessage:
      window->OnClientMessage(event.xclient);
      break;
    case MapNotify:
      window->OnMapped();
      break;
    case DestroyNotify:
      // StructureNotify reports a window's own destruction with event == window.
      if (event.xdestroywindow.window == event.xdestroywindow.event) {
        window->Forget();
        window->OnDestroyed();
      }
      break;
    default:
      break;
  }
}

void Connection::PaintAndTick() {
  const auto now = Clock::now();
  // Neither ticking nor painting makes or destroys a window.
  for (const auto& entry : windows) {
    entry.second->OnTick(now);
    entry.second->PaintIfDirty();
  }
  XFlush(display);
}

}  // namespace X11Toolkit
