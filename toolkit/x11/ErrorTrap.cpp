#include "toolkit/x11/ErrorTrap.h"

namespace X11Toolkit {

namespace {

// Only the user-interface thread sets traps, one at a time, so a plain count serves.
int trappedErrors = 0;

int CountError(::Display*, XErrorEvent*) {
  ++trappedErrors;
  return 0;
}

}  // namespace

ErrorTrap::ErrorTrap(::Display* display_) : display(display_) {
  XSync(display, False);
  trappedErrors = 0;
  previous = XSetErrorHandler(CountError);
}

ErrorTrap::~ErrorTrap() {
  XSync(display, False);
  XSetErrorHandler(previous);
}

bool ErrorTrap::Failed() {
  XSync(display, False);
  return trappedErrors != 0;
}

}  // namespace X11Toolkit
