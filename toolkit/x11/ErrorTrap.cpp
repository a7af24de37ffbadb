#include "toolkit/x11/ErrorTrap.h"

namespace X11Toolkit {

namespace {

// Only the user-interface thread sets traps, so plain variables serve.
ErrorTrap* innermost = nullptr;
int (*hostHandler)(::Display*, XErrorEvent*) = nullptr;
unsigned long trappedErrors = 0;

}  // namespace

ErrorTrap::ErrorTrap(::Display* display_) : display(display_), outer(innermost), start(trappedErrors) {
  // Every request of ours runs inside a trap, so nothing of ours is left for the
  // host's handler to hear of: no sync is needed before setting it.
  if (outer == nullptr) hostHandler = XSetErrorHandler(Count);
  innermost = this;
}

ErrorTrap::~ErrorTrap() {
  // The errors of what this trap ran are heard while it still holds them.
  if (!OuterHolds(display)) XSync(display, False);
  innermost = outer;
  if (outer == nullptr) XSetErrorHandler(hostHandler);
}

bool ErrorTrap::Failed() {
  XSync(display, False);
  return trappedErrors != start;
}

int ErrorTrap::Count(::Display* connection, XErrorEvent* error) {
  for (const ErrorTrap* trap = innermost; trap != nullptr; trap = trap->outer) {
    if (trap->display == connection) {
      ++trappedErrors;
      return 0;
    }
  }
  // The host's own connection, or another editor's outside its trap.
  return hostHandler != nullptr ? hostHandler(connection, error) : 0;
}

bool ErrorTrap::OuterHolds(const ::Display* connection) const {
  for (const ErrorTrap* trap = outer; trap != nullptr; trap = trap->outer) {
    if (trap->display == connection) return true;
  }
  return false;
}

}  // namespace X11Toolkit
