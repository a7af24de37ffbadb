#include "toolkit/x11/DpiProbe.h"

#include <X11/Xatom.h>

#include <mutex>

#include "toolkit/core/XftDpi.h"
#include "toolkit/x11/ErrorTrap.h"

namespace X11Toolkit {

namespace {

// The most of the resource database read, in 32-bit units: far more than desktops set.
constexpr long kLongestResources = 1 << 20;

// The probe is the process's, shared by every instance's editor.
std::mutex probeLock;
::Display* probe = nullptr;
int holders = 0;

}  // namespace

DpiProbe::DpiProbe() {
  const std::lock_guard<std::mutex> hold(probeLock);
  ++holders;
}

DpiProbe::~DpiProbe() {
  const std::lock_guard<std::mutex> hold(probeLock);
  if (--holders == 0 && probe != nullptr) {
    XCloseDisplay(probe);
    probe = nullptr;
  }
}

double DpiProbe::Read() {
  const std::lock_guard<std::mutex> hold(probeLock);
  if (probe == nullptr) probe = XOpenDisplay(nullptr);
  if (probe == nullptr) return 0.0;
  const ErrorTrap trap(probe);
  return Of(probe);
}

double DpiProbe::Of(::Display* display) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  double dpi = 0.0;
  if (XGetWindowProperty(display, DefaultRootWindow(display), XA_RESOURCE_MANAGER, 0, kLongestResources,
                         False, XA_STRING, &type, &format, &count, &remaining, &data) == Success &&
      data != nullptr) {
    // Xlib ends what it returns with a zero byte of its own.
    if (type == XA_STRING && format == 8) dpi = Toolkit::XftDpi(reinterpret_cast<const char*>(data));
    XFree(data);
  }
  return dpi;
}

}  // namespace X11Toolkit
