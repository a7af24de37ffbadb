#include <limits>

#include "tests/toolkit/ToolkitFixture.h"
#include "toolkit/win32/Multiswitch.h"
#include "toolkit/win32/RegisteredMessages.h"

namespace QuorvelTest {
namespace {

using namespace WindowsToolkit;

class MultiswitchTest : public ToolkitTest {
 protected:
  Multiswitch* Toggle(float defaultValue) { return Make(defaultValue, &switchStrip, 343, 229); }
  Multiswitch* Selector(float defaultValue) { return Make(defaultValue, &selectorStrip, 144, 221); }
  Multiswitch* Make(float defaultValue, const FrameStrip* strip, int x, int y) {
    Multiswitch* control =
        CreateMultiswitch(&background, 4, defaultValue, strip, x, y, parent->hwnd, instance);
    TakePosted();
    return control;
  }
  // A click (press and release) at a point; returns the value-changed messages it caused.
  size_t Click(Multiswitch* control, int x, int y, WPARAM keys = 0) {
    SendMouse(control->hwnd, WM_LBUTTONDOWN, MK_LBUTTON | keys, x, y);
    SendMouse(control->hwnd, WM_LBUTTONUP, keys, x, y);
    return TakePosted(UWM_PC_VALUECHANGED).size();
  }
};

TEST_F(MultiswitchTest, TheUpperHalfOfASwitchIsOnAndTheLowerHalfOff) {
  Multiswitch* toggle = Toggle(0.0f);
  ASSERT_NE(toggle, nullptr);
  EXPECT_EQ(toggle->GetMaximumPosition(), 1);
  EXPECT_EQ(Click(toggle, 10, 5), 1u);
  EXPECT_EQ(toggle->GetPosition(), 1);
  EXPECT_EQ(toggle->GetValue(), 1.0f);
  EXPECT_EQ(Click(toggle, 10, 5), 0u);  // again: nothing changes, nothing is posted
  // Bands of 40 / 2 = 20 rows: position 1 covers y 0..19, position 0 y 20..39.
  EXPECT_EQ(Click(toggle, 10, 19), 0u);
  EXPECT_EQ(Click(toggle, 10, 20), 1u);
  EXPECT_EQ(toggle->GetPosition(), 0);
  EXPECT_EQ(toggle->GetValue(), 0.0f);
  // Outside every band (right and bottom edges excluded, or beyond under capture).
  EXPECT_EQ(Click(toggle, 20, 5), 0u);
  EXPECT_EQ(Click(toggle, 10, -3), 0u);
  EXPECT_EQ(toggle->GetPosition(), 0);
}

TEST_F(MultiswitchTest, EachColumnOfTheSelectorSelectsItsPositionOnce) {
  Multiswitch* notes = Selector(0.0f);
  ASSERT_NE(notes, nullptr);
  // Columns of 140 / 5 = 28 pixels; the value of position i is i / 4.
  for (int position : {4, 0, 3, 1, 2}) {
    EXPECT_EQ(Click(notes, 28 * position + 14, 20), 1u) << position;
    EXPECT_EQ(notes->GetPosition(), position);
    EXPECT_EQ(notes->GetValue(), static_cast<float>(position) * 0.25f);
    EXPECT_EQ(Click(notes, 28 * position + 14, 20), 0u) << position;
  }
  EXPECT_EQ(Click(notes, 27, 20), 1u);
  EXPECT_EQ(notes->GetPosition(), 0);
  EXPECT_EQ(Click(notes, 28, 20), 1u);
  EXPECT_EQ(notes->GetPosition(), 1);
  EXPECT_EQ(Click(notes, 60, 20), 1u);  // 60 / 28 = 2
  EXPECT_EQ(notes->GetValue(), 0.5f);
}

TEST_F(MultiswitchTest, DraggingAcrossSelectsEveryPositionPassedOver) {
  Multiswitch* notes = Selector(0.0f);
  SendMouse(notes->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 5, 20);
  for (int x : {33, 61, 70, 89}) SendMouse(notes->hwnd, WM_MOUSEMOVE, MK_LBUTTON, x, 20);
  EXPECT_EQ(notes->GetPosition(), 3);
  EXPECT_EQ(TakePosted(UWM_PC_VALUECHANGED).size(), 3u);  // 1, 2 and 3; x 70 is still 2
  SendMouse(notes->hwnd, WM_LBUTTONUP, 0, 89, 20);
  SendMouse(notes->hwnd, WM_MOUSEMOVE, MK_LBUTTON, 130, 20);  // no capture any more
  EXPECT_EQ(notes->GetPosition(), 3);
}

TEST_F(MultiswitchTest, ValuesAreQuantisedIntoEqualSharesAndKeptInsideTheStrip) {
  Multiswitch* notes = Selector(0.0f);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  struct Case {
    float value;
    int32_t position;
  };
  // Five shares of 0.2 each; 1 itself belongs to the last one.
  const Case cases[] = {{0.0f, 0},  {0.19f, 0}, {0.2f, 1},  {0.39f, 1}, {0.4f, 2},  {0.5f, 2},
                        {0.79f, 3}, {0.8f, 4},  {1.0f, 4},  {1.7f, 4},  {-0.3f, 0}, {nan, 0},
                        {inf, 4},   {0.75f, 3}, {0.25f, 1}, {-inf, 0}};
  for (const Case& c : cases) {
    notes->SetValue(c.value, false);
    EXPECT_EQ(notes->GetPosition(), c.position) << c.value;
  }
  Multiswitch* toggle = Toggle(0.0f);
  toggle->SetValue(0.49f, false);
  EXPECT_EQ(toggle->GetPosition(), 0);
  toggle->SetValue(0.5f, false);
  EXPECT_EQ(toggle->GetPosition(), 1);
  EXPECT_EQ(TakePosted(UWM_PC_VALUECHANGED).size(), 0u);
}

TEST_F(MultiswitchTest, SettingTheCurrentPositionAgainDoesNothingAtAll) {
  Multiswitch* toggle = Toggle(1.0f);
  UpdateWindow(toggle->hwnd);
  toggle->SetValue(0.5f, false);  // still position 1
  toggle->SetValue(0.7f, true);
  EXPECT_FALSE(GetUpdateRect(toggle->hwnd, nullptr, FALSE));  // not even a repaint
  EXPECT_EQ(TakePosted(UWM_PC_VALUECHANGED).size(), 0u);
  toggle->SetValue(0.2f, false);
  EXPECT_TRUE(GetUpdateRect(toggle->hwnd, nullptr, FALSE));
  EXPECT_EQ(TakePosted(UWM_PC_VALUECHANGED).size(), 0u);
  toggle->SetValue(0.6f, true);
  EXPECT_EQ(TakePosted(UWM_PC_VALUECHANGED).size(), 1u);
}

TEST_F(MultiswitchTest, CreationReportsOnlyADefaultAwayFromPositionZero) {
  CreateMultiswitch(&background, 3, 0.0f, &switchStrip, 79, 229, parent->hwnd, instance);
  CreateMultiswitch(&background, 9, 0.3f, &switchStrip, 343, 148, parent->hwnd, instance);  // 0.3 / 0.5: 0
  EXPECT_EQ(TakePosted(UWM_PC_VALUECHANGED).size(), 0u);
  Multiswitch* notes =
      CreateMultiswitch(&background, 5, 0.5f, &selectorStrip, 144, 256, parent->hwnd, instance);
  ASSERT_NE(notes, nullptr);
  const std::vector<Posted> posted = TakePosted(UWM_PC_VALUECHANGED);
  ASSERT_EQ(posted.size(), 1u);
  EXPECT_EQ(posted[0].wParam, 5u);
  EXPECT_EQ(notes->GetPosition(), 2);  // 0.5 / 0.2 = 2.5
  EXPECT_EQ(notes->GetValue(), 0.5f);  // reported as the value of its position
}

TEST_F(MultiswitchTest, PositionsAreClampedAndAlwaysReportedWhenAsked) {
  Multiswitch* notes = Selector(0.0f);
  notes->SetPosition(7, true);
  EXPECT_EQ(notes->GetPosition(), 4);
  notes->SetPosition(4, true);
  EXPECT_EQ(TakePosted(UWM_PC_VALUECHANGED).size(), 2u);
  notes->SetPosition(-1, false);
  EXPECT_EQ(notes->GetPosition(), 0);
  EXPECT_EQ(TakePosted(UWM_PC_VALUECHANGED).size(), 0u);
}

TEST_F(MultiswitchTest, CtrlClickResetsToTheDefaultWhereverItLands) {
  Multiswitch* notes = Selector(0.5f);
  notes->SetPosition(4, false);
  EXPECT_EQ(Click(notes, 5, 20, MK_CONTROL), 1u);
  EXPECT_EQ(notes->GetPosition(), 2);
}

TEST_F(MultiswitchTest, AStripWithoutFramesGivesAnInertControl) {
  const FrameStrip empty(&switchImage, 0, true);
  Multiswitch* control = Make(1.0f, &empty, 10, 10);
  ASSERT_NE(control, nullptr);
  RECT client{};
  GetClientRect(control->hwnd, &client);
  EXPECT_EQ(client.right, 0);
  EXPECT_EQ(client.bottom, 0);
  control->SetValue(0.9f, true);
  EXPECT_EQ(Click(control, 0, 0), 0u);
  EXPECT_EQ(control->GetPosition(), 0);
  EXPECT_EQ(control->GetValue(), 0.0f);
}

}  // namespace
}  // namespace QuorvelTest
