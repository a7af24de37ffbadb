// The editor as a host opens it: its size, and every control at its place.
#include <algorithm>
#include <cstdlib>
#include <memory>

#include "tests/editor/EditorFixture.h"
#include "toolkit/win32/Gdiplus.h"
#include "toolkit/win32/ParameterControl.h"

namespace QuorvelTest {
namespace {

using EditorLayout = EditorTest;

TEST_F(EditorLayout, TheRectangleIsTheViewsSizeBeforeAndAfterOpening) {
  ERect* rect = nullptr;
  ASSERT_EQ(Dispatch(effEditGetRect, 0, 0, &rect), 1);
  ASSERT_NE(rect, nullptr);
  EXPECT_EQ(rect->top, 0);
  EXPECT_EQ(rect->left, 0);
  EXPECT_EQ(rect->bottom, 344);
  EXPECT_EQ(rect->right, 496);

  ASSERT_TRUE(OpenEditor());
  rect = nullptr;
  ASSERT_EQ(Dispatch(effEditGetRect, 0, 0, &rect), 1);
  EXPECT_EQ(rect->top, 0);
  EXPECT_EQ(rect->left, 0);
  EXPECT_EQ(rect->bottom, 344);
  EXPECT_EQ(rect->right, 496);
  EXPECT_EQ(Dispatch(effEditGetRect, 0, 0, nullptr), 0);
}

TEST_F(EditorLayout, TheViewFillsTheHostWindowAndHoldsFifteenControlsAtTheirPlaces) {
  ASSERT_TRUE(OpenEditor());
  HWND view = View();
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(IsWindowVisible(view));
  RECT client{};
  GetClientRect(view, &client);
  EXPECT_EQ(client.right, 496);
  EXPECT_EQ(client.bottom, 344);

  std::vector<Placed> found = PlacedChildren();
  // Sizes are one frame of each strip: knob 32 x 2912 / 91 frames, switch 20 x 80 / 2,
  // selector 700 / 5 x 40, button 28 x 56 / 2; the status line is 145 x 25.
  const std::string knob = "QuorvelWindowsToolkitKnob", sw = "QuorvelWindowsToolkitMultiswitch",
                    button = "QuorvelWindowsToolkitIncrementButton",
                    status = "QuorvelWindowsToolkitStatusControl";
  std::vector<Placed> expected = {
      {sw, 0, 343, 229, 20, 40},      {knob, 1, 65, 139, 32, 32},     {sw, 3, 79, 229, 20, 40},
      {knob, 2, 123, 139, 32, 32},    {sw, 4, 144, 221, 140, 40},     {sw, 5, 144, 256, 140, 40},
      {knob, 6, 179, 139, 32, 32},    {sw, 7, 343, 109, 20, 40},      {knob, 8, 390, 139, 32, 32},
      {sw, 9, 343, 148, 20, 40},      {sw, 10, 266, 125, 20, 40},     {knob, 11, 390, 241, 32, 32},
      {button, -1, 116, 227, 28, 28}, {button, -1, 116, 262, 28, 28}, {status, -1, 305, 34, 145, 25},
  };
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(found, expected);
}

TEST_F(EditorLayout, ControlsShowTheProgramNotTheirCreationDefaults) {
  // Program 0 has the table's defaults; move two away from what the controls start at.
  SetParameter(3, 0.0f);   // Sync off (the switch's own default is on)
  SetParameter(1, 0.25f);  // Left Delay
  ASSERT_TRUE(OpenEditor());
  EXPECT_FLOAT_EQ(ControlValue(1), 0.25f);
  EXPECT_FLOAT_EQ(ControlValue(3), 0.0f);
  EXPECT_FLOAT_EQ(ControlValue(0), 1.0f);
  EXPECT_FLOAT_EQ(ControlValue(4), 0.5f);  // position 2 of the five notes
  // The creation-time reports reach the model and the host with the program's values.
  EXPECT_FLOAT_EQ(GetParameter(1), 0.25f);
  for (const RecordingHost::Call& call : Automations()) {
    if (call.index == 1) {
      EXPECT_FLOAT_EQ(call.opt, 0.25f);
    }
  }
}

TEST_F(EditorLayout, TheIncrementButtonsStepTheirNoteSelectorsRoundTheFiveNotes) {
  ASSERT_TRUE(OpenEditor());
  HWND leftButton = nullptr, rightButton = nullptr;
  for (HWND button : ChildrenOfClass("QuorvelWindowsToolkitIncrementButton")) {
    RECT r{};
    GetWindowRect(button, &r);
    MapWindowPoints(HWND_DESKTOP, View(), reinterpret_cast<POINT*>(&r), 2);
    (r.top == 227 ? leftButton : rightButton) = button;
  }
  ASSERT_NE(leftButton, nullptr);
  ASSERT_NE(rightButton, nullptr);
  // From 1/8 (0.5, position 2): 1/4, 1/2, then round to 1/32.
  const float expected[] = {0.75f, 1.0f, 0.0f};
  for (float value : expected) {
    Mouse(leftButton, WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    Mouse(leftButton, WM_LBUTTONUP, 0, 5, 5);
    Pump();
    EXPECT_FLOAT_EQ(GetParameter(4), value);
  }
  EXPECT_FLOAT_EQ(GetParameter(5), 0.5f);
  Mouse(rightButton, WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
  Mouse(rightButton, WM_LBUTTONUP, 0, 5, 5);
  Pump();
  EXPECT_FLOAT_EQ(GetParameter(5), 0.75f);
}

TEST_F(EditorLayout, TheViewShowsTheBackgroundPictureBetweenItsControls) {
  ASSERT_TRUE(OpenEditor());
  const std::unique_ptr<Gdiplus::Bitmap> picture = PictureOfModule(113);
  ASSERT_TRUE(picture != nullptr && picture->GetWidth() == 496 && picture->GetHeight() == 344);
  RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);

  int compared = 0;
  const int worst = WorstDifferenceFrom(*picture, compared);
  EXPECT_GT(compared, 2500);  // most of the 49 x 71 points lie between the controls
  EXPECT_LE(worst, 1);
}

}  // namespace
}  // namespace QuorvelTest
