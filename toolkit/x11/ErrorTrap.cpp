#include "toolkit/x11/ErrorTrap.h"

#include <atomic>
#include <thread>

namespace X11Toolkit {

namespace {

// Only the user-interface thread sets traps and walks them. Xlib's handler is the
// process's, though: a host thread of its own connection (a renderer, another plug-in)
// may hear an error while a trap is set, so the thread that set the traps and the
// host's handler cross threads as atomics, and another thread never walks the traps.
ErrorTrap* innermost = nullptr;
std::atomic<int (*)(::Display*, XErrorEvent*)> hostHandler{nullptr};
std::atomic<std::thread::id> trapThread{};
unsigned long trappedErrors = 0;

int ToHost(::Display* connection, XErrorEvent* error) {
  int (*const handler)(::Display*, XErrorEvent*) = hostHandler.load(std::memory_order_acquire);
  return handler != nullptr ? handler(connection, error) : 0;
}

}  // namespace

ErrorTrap::ErrorTrap(::Display* display_) : display(display_), outer(innermost), start(trappedErrors) {
  // Every request of ours runs inside a trap, so nothing of ours is left for the
  // host's handler to hear of: no sync is needed before setting it.
  if (outer == nullptr) {
    trapThread.store(std::this_thread::get_id(), std::memory_order_relaxed);
    hostHandler.store(XSetErrorHandler(Count), std::memory_order_release);
  }
  innermost = this;
}

ErrorTrap::~ErrorTrap() {
  // The errors of what this trap ran are heard while it still holds them.
  if (!OuterHolds(display)) XSync(display, False);
  innermost = outer;
  if (outer == nullptr) XSetErrorHandler(hostHandler.load(std::memory_order_relaxed));
}

bool ErrorTrap::Failed() {
  XSync(display, False);
  return trappedErrors != start;
}

int ErrorTrap::Count(::Display* connection, XErrorEvent* error) {
  // Our connections are used on the trapping thread alone, so another thread's error
  // is never ours.
  if (std::this_thread::get_id() != trapThread.load(std::memory_order_relaxed)) {
    return ToHost(connection, error);
  }
  for (const ErrorTrap* trap = innermost; trap != nullptr; trap = trap->outer) {
    if (trap->display == connection) {
      ++trappedErrors;
      return 0;
    }
  }
  // The host's own connection, or another editor's outside its trap.
  return ToHost(connection, error);
}

bool ErrorTrap::OuterHolds(const ::Display* connection) const {
  for (const ErrorTrap* trap = outer; trap != nullptr; trap = trap->outer) {
    if (trap->display == connection) return true;
  }
  return false;
}

}  // namespace X11Toolkit
