#pragma once

// GoogleTest first: Xlib's None and Bool macros would break its templates.
#include <gtest/gtest.h>
// clang-format off
#include <X11/Xlib.h>
// clang-format on

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace QuorvelTest {

// A host's top-level window on the virtual display, for the editor tests of every format:
// set up (or skipped without a display) before each case, destroyed after it. A fixture
// deriving from it returns from its own SetUp when IsSkipped() or HasFatalFailure().
// Test thread only, which is the editors' user-interface thread.
class X11HostTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // One connection for the whole process: Xvfb resets once its last client leaves (as
  // when the previous test process ends), and a connection asked for during the reset is
  // refused, so a refusal is retried for a while. Null when none opens.
  static Display* OpenDisplay();

  // The children of `parent` (the host window when 0), each with its attributes.
  std::vector<std::pair<::Window, XWindowAttributes>> ChildAttributes(::Window parent = 0);
  // Real pointer motion (XTest) to (x, y) of `target`.
  void MoveTo(::Window target, int x, int y);

  // One turn of the format's own idle work (the host's timers, run loop or UI idle).
  virtual void HostIdle() {}
  // Turns of the host's loop, letting the server deliver between them.
  void Pump(int turns = 3);
  // The child of `parent` whose top-left corner is at (x, y) of it; 0 if none.
  ::Window ChildAt(::Window parent, int x, int y);
  // A press at (16, 20) of `knob`, ten real pointer moves of a pixel up (0.1 on a knob)
  // and the release; `eachMove`, as the host's audio block, runs after every move.
  void DragUp(::Window knob, const std::function<void()>& eachMove = nullptr);
  // The RGB pixels of `target`'s top-left `width` x `height`, row by row; empty if it
  // cannot be read.
  std::vector<uint32_t> Pixels(::Window target, int width, int height);

  Display* display = nullptr;
  ::Window window = 0;
};

}  // namespace QuorvelTest
