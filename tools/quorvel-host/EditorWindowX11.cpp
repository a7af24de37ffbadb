#include <X11/Xlib.h>

#include <chrono>
#include <thread>

#include "tools/quorvel-host/EditorWindow.h"

namespace QuorvelHost {

namespace {

constexpr int kPumpRounds = 20;

// The display stays open for the life of the process: plug-in editors keep
// their own connections, and closing ours under them would gain nothing.
Display* SharedDisplay() {
  static Display* display = XOpenDisplay(nullptr);
  return display;
}

}  // namespace

std::unique_ptr<EditorWindow> EditorWindow::Create() {
  Display* display = SharedDisplay();
  if (display == nullptr) {
    return nullptr;
  }
  int screen = DefaultScreen(display);
  Window window = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, 800, 600, 0,
                                      BlackPixel(display, screen), BlackPixel(display, screen));
  XStoreName(display, window, "quorvel-host editor");
  XMapWindow(display, window);
  XSync(display, False);
  // A VST2 editor on X11 receives its parent window's id in the pointer argument.
  return std::unique_ptr<EditorWindow>(new EditorWindow(reinterpret_cast<void*>(window)));
}

EditorWindow::~EditorWindow() {
  Display* display = SharedDisplay();
  XDestroyWindow(display, static_cast<Window>(reinterpret_cast<uintptr_t>(handle_)));
  XSync(display, False);
}

void EditorWindow::Pump() {
  Display* display = SharedDisplay();
  for (int round = 0; round < kPumpRounds; ++round) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

}  // namespace QuorvelHost
