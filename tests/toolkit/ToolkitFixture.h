#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "toolkit/win32/FrameStrip.h"
#include "toolkit/win32/Gdiplus.h"
#include "toolkit/win32/ResourceImage.h"
#include "toolkit/win32/Window.h"

namespace QuorvelTest {

// A registered notification as the parent received it.
struct Posted {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

// Stands in for the editor's view: the parent of the controls, recording every
// registered message they post to it.
class RecordingParent final : public WindowsToolkit::Window {
 public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  std::vector<Posted> posted;
};

// Straight RGB of one pixel, as read from a window or expected by a test.
struct Rgb {
  int r;
  int g;
  int b;
};

// A real top-level window (the host's) holding a RecordingParent at (0, 0) with the
// editor's size, the five images of the editor loaded from this executable's own
// resources, and their strips.
class ToolkitTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;

  // Handles every queued message, then hands over (and forgets) what the parent got.
  std::vector<Posted> TakePosted();
  // The posted messages of one kind.
  std::vector<Posted> TakePosted(UINT message);

  // A child window's rectangle in its parent's client area: left, top, right, bottom.
  static std::vector<LONG> PlaceOf(HWND child);

  // Sends a mouse message with the point packed as Windows packs it (16-bit fields).
  static LRESULT SendMouse(HWND hwnd, UINT message, WPARAM keys, int x, int y);

  // The pixels of a window's client area after it has painted, row by row.
  static std::vector<Rgb> ReadClientPixels(HWND hwnd, int w, int h);
  // The pixel of an image, blended over `under` by its alpha (straight alpha, rounded).
  static Rgb Over(Gdiplus::Bitmap* image, int x, int y, Rgb under);
  static Rgb PixelOf(Gdiplus::Bitmap* image, int x, int y);
  // Compares a painted control with the background under it plus one frame of a strip
  // whose frame `frame` starts at (frameX, frameY); returns the largest channel error.
  int PaintError(HWND control, int left, int top, int w, int h, Gdiplus::Bitmap* strip, int frameX,
                 int frameY);

  HINSTANCE instance = nullptr;
  HWND host = nullptr;
  RecordingParent* parent = nullptr;

  WindowsToolkit::ResourceImage background;
  WindowsToolkit::ResourceImage knobImage;
  WindowsToolkit::ResourceImage switchImage;
  WindowsToolkit::ResourceImage buttonImage;
  WindowsToolkit::ResourceImage selectorImage;
  WindowsToolkit::FrameStrip knobStrip{&knobImage, 91, true};
  WindowsToolkit::FrameStrip switchStrip{&switchImage, 2, true};
  WindowsToolkit::FrameStrip buttonStrip{&buttonImage, 2, true};
  WindowsToolkit::FrameStrip selectorStrip{&selectorImage, 5, false};
};

}  // namespace QuorvelTest
