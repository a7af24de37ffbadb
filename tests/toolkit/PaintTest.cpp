#include <cstring>
#include <string>

#include "tests/toolkit/ToolkitFixture.h"
#include "toolkit/win32/IncrementButton.h"
#include "toolkit/win32/Knob.h"
#include "toolkit/win32/Multiswitch.h"
#include "toolkit/win32/StatusControl.h"

namespace QuorvelTest {
namespace {

using namespace WindowsToolkit;

class PaintTest : public ToolkitTest {};

// Channel error allowed between the painted control and the blend worked out here:
// GDI+ rounds its alpha blend its own way.
constexpr int kTolerance = 2;

TEST_F(PaintTest, ControlsShowTheBackgroundUnderThemPlusTheirFrame) {
  // The switch at (343, 229) starts at position 1 (default 1.0), frame 1 at y 40 of the strip.
  Multiswitch* power =
      CreateMultiswitch(&background, 0, 1.0f, &switchStrip, 343, 229, parent->hwnd, instance);
  ASSERT_NE(power, nullptr);
  EXPECT_LE(PaintError(power->hwnd, 343, 229, 20, 40, switchImage.GetBitmap(), 0, 40), kTolerance);

  // A knob at 0.5 shows frame 45: 90 x 0.5; the frame starts at y 45 x 32 = 1440.
  Knob* knob = CreateKnob(&background, 1, 0.5f, &knobStrip, 65, 139, parent->hwnd, instance);
  ASSERT_NE(knob, nullptr);
  EXPECT_LE(PaintError(knob->hwnd, 65, 139, 32, 32, knobImage.GetBitmap(), 0, 1440), kTolerance);

  // The selector at 0.75 shows position 3: 0.75 / 0.2 = 3.75; frame 3 starts at x 420.
  Multiswitch* notes =
      CreateMultiswitch(&background, 4, 0.75f, &selectorStrip, 144, 221, parent->hwnd, instance);
  ASSERT_NE(notes, nullptr);
  EXPECT_LE(PaintError(notes->hwnd, 144, 221, 140, 40, selectorImage.GetBitmap(), 420, 0), kTolerance);
}

TEST_F(PaintTest, IncrementButtonShowsItsPressedFrameOnlyWhileHeld) {
  IncrementButton* button = CreateIncrementButton(&background, &buttonStrip, 227, parent->hwnd, instance);
  ASSERT_NE(button, nullptr);
  EXPECT_LE(PaintError(button->hwnd, 116, 227, 28, 28, buttonImage.GetBitmap(), 0, 0), kTolerance);
  SendMouse(button->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
  EXPECT_LE(PaintError(button->hwnd, 116, 227, 28, 28, buttonImage.GetBitmap(), 0, 28), kTolerance);
  SendMouse(button->hwnd, WM_LBUTTONUP, 0, 5, 5);
  EXPECT_LE(PaintError(button->hwnd, 116, 227, 28, 28, buttonImage.GetBitmap(), 0, 0), kTolerance);
}

TEST_F(PaintTest, StatusTextIsWhiteBottomAlignedAndTransparent) {
  StatusControl* status = CreateStatusControl(&background, parent->hwnd, instance);
  ASSERT_NE(status, nullptr);
  // No text: only the background under (305, 34) shows.
  EXPECT_EQ(PaintError(status->hwnd, 305, 34, 145, 25, nullptr, 0, 0), 0);

  status->SetText("Feedback Level: 0.35");
  const std::vector<Rgb> painted = ReadClientPixels(status->hwnd, 145, 25);
  int firstRow = 25;
  int lastRow = -1;
  int whitish = 0;
  int unchanged = 0;
  for (int y = 0; y < 25; ++y) {
    for (int x = 0; x < 145; ++x) {
      const Rgb& got = painted[static_cast<size_t>(y * 145 + x)];
      const Rgb under = PixelOf(background.GetBitmap(), 305 + x, 34 + y);
      if (got.r == under.r && got.g == under.g && got.b == under.b) {
        ++unchanged;
        continue;
      }
      firstRow = std::min(firstRow, y);
      lastRow = std::max(lastRow, y);
      if (got.r > 200 && got.g > 200 && got.b > 200) ++whitish;
    }
  }
  EXPECT_GT(whitish, 20);
  // A 15-pixel cell resting on the bottom of the 24-row text area (one row less than the control).
  EXPECT_GE(firstRow, 24 - 15);
  EXPECT_LE(lastRow, 23);
  // Transparent drawing: most of the field is still the background.
  EXPECT_GT(unchanged, 145 * 25 / 2);
}

}  // namespace
}  // namespace QuorvelTest
