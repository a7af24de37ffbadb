#pragma once

#include <X11/Xlib.h>

namespace X11Toolkit {

// Runs X calls that may fail without the host's error handler hearing of them: a
// window the host destroyed takes ours with it. Installs a handler that only counts,
// and on leaving syncs and gives the host's handler back. User-interface thread.
class ErrorTrap final {
 public:
  explicit ErrorTrap(::Display* display_);
  ~ErrorTrap();
  ErrorTrap(const ErrorTrap&) = delete;
  ErrorTrap& operator=(const ErrorTrap&) = delete;
  // Syncs and tells whether any call since the trap was set failed.
  bool Failed();

 private:
  ::Display* display;
  int (*previous)(::Display*, XErrorEvent*);
};

}  // namespace X11Toolkit
