#pragma once

#include <X11/Xlib.h>

namespace X11Toolkit {

// Runs X calls that may fail without the host's error handler hearing of them: a
// window the host destroyed takes ours with it, and the host may destroy it at any
// time. While a trap is set, Xlib's handler is one that counts the errors of the
// trapped connections and hands any other connection's to the host's handler; the
// outermost trap syncs on leaving and gives the host's handler back. Traps nest
// (an idle's trap holds those of the calls it makes), the inner ones costing no
// round trip. Xlib's handler is the process's: only the user-interface thread sets
// traps. User-interface thread.
class ErrorTrap final {
 public:
  // User-interface thread: traps the errors of `display_` until the trap goes.
  explicit ErrorTrap(::Display* display_);
  // User-interface thread: the outermost trap syncs and gives the host's handler back.
  ~ErrorTrap();
  ErrorTrap(const ErrorTrap&) = delete;
  ErrorTrap& operator=(const ErrorTrap&) = delete;
  // User-interface thread: syncs and tells whether any call since this trap was set failed.
  bool Failed();

 private:
  static int Count(::Display* display, XErrorEvent* error);
  // Whether a trap further out holds the same connection.
  bool OuterHolds(const ::Display* connection) const;

  ::Display* display;
  ErrorTrap* outer;
  unsigned long start;  // the count of trapped errors when this trap was set
};

}  // namespace X11Toolkit
