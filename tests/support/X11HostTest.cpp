#include "tests/support/X11HostTest.h"

// clang-format off
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
// clang-format on

#include <chrono>
#include <cstdlib>
#include <thread>

namespace QuorvelTest {
namespace {

// Xlib serves the tests' threads and the editor's connections in one process.
const bool threadsReady = XInitThreads() != 0;

}  // namespace

void X11HostTest::SetUp() {
  ASSERT_TRUE(threadsReady);
  if (getenv("DISPLAY") == nullptr) {
    GTEST_SKIP() << "no X display; tools/run-tests.sh runs these under Xvfb";
  }
  display = OpenDisplay();
  ASSERT_NE(display, nullptr) << "cannot open the display " << getenv("DISPLAY");
  window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1200, 900, 0, 0, 0);
  XMapWindow(display, window);
  XSync(display, False);
}

void X11HostTest::TearDown() {
  if (display != nullptr) {
    XDestroyWindow(display, window);
    XSync(display, False);
  }
}

Display* X11HostTest::OpenDisplay() {
  static Display* const shared = [] {
    Display* opened = XOpenDisplay(nullptr);
    for (int attempt = 0; opened == nullptr && attempt < 100; ++attempt) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      opened = XOpenDisplay(nullptr);
    }
    return opened;
  }();
  return shared;
}

std::vector<std::pair<::Window, XWindowAttributes>> X11HostTest::ChildAttributes(::Window parent) {
  ::Window root = 0;
  ::Window up = 0;
  ::Window* children = nullptr;
  unsigned int count = 0;
  std::vector<std::pair<::Window, XWindowAttributes>> found;
  XSync(display, False);
  if (XQueryTree(display, parent != 0 ? parent : window, &root, &up, &children, &count) != 0) {
    for (unsigned int i = 0; i < count; ++i) {
      XWindowAttributes attributes{};
      XGetWindowAttributes(display, children[i], &attributes);
      found.push_back({children[i], attributes});
    }
    XFree(children);
  }
  return found;
}

void X11HostTest::MoveTo(::Window target, int x, int y) {
  int rootX = 0;
  int rootY = 0;
  ::Window child = 0;
  XTranslateCoordinates(display, target, DefaultRootWindow(display), x, y, &rootX, &rootY, &child);
  XTestFakeMotionEvent(display, -1, rootX, rootY, 0);
  XSync(display, False);
}

void X11HostTest::Pump(int turns) {
  for (int i = 0; i < turns; ++i) {
    XSync(display, False);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    HostIdle();
  }
}

::Window X11HostTest::ChildAt(::Window parent, int x, int y) {
  for (const auto& [id, attributes] : ChildAttributes(parent)) {
    if (attributes.x == x && attributes.y == y) {
      return id;
    }
  }
  return 0;
}

void X11HostTest::DragUp(::Window knob, const std::function<void()>& eachMove) {
  MoveTo(knob, 16, 20);
  XTestFakeButtonEvent(display, 1, True, 0);
  Pump();
  for (int i = 1; i <= 10; ++i) {
    MoveTo(knob, 16, 20 - i);
    Pump(1);
    if (eachMove) {
      eachMove();
      Pump(1);
    }
  }
  XTestFakeButtonEvent(display, 1, False, 0);
  Pump();
}

std::vector<uint32_t> X11HostTest::Pixels(::Window target, int width, int height) {
  std::vector<uint32_t> pixels;
  XImage* image = XGetImage(display, target, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height),
                            AllPlanes, ZPixmap);
  if (image == nullptr) {
    return pixels;
  }
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      pixels.push_back(static_cast<uint32_t>(XGetPixel(image, x, y) & 0xFFFFFF));
    }
  }
  XDestroyImage(image);
  return pixels;
}

}  // namespace QuorvelTest
