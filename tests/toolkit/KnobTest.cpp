#include <cmath>
#include <limits>

#include "tests/toolkit/ToolkitFixture.h"
#include "toolkit/win32/Knob.h"
#include "toolkit/win32/Multiswitch.h"
#include "toolkit/win32/RegisteredMessages.h"

namespace QuorvelTest {
namespace {

using namespace WindowsToolkit;

class KnobTest : public ToolkitTest {
 protected:
  Knob* Make(float defaultValue, int32_t index = 1) {
    Knob* knob = CreateKnob(&background, index, defaultValue, &knobStrip, 65, 139, parent->hwnd, instance);
    TakePosted();
    return knob;
  }
  size_t ValueChanges() { return TakePosted(UWM_PC_VALUECHANGED).size(); }
};

TEST_F(KnobTest, CreationSizesItToAFrameAndReportsTheDefault) {
  Knob* knob = CreateKnob(&background, 6, 0.35f, &knobStrip, 65, 139, parent->hwnd, instance);
  ASSERT_NE(knob, nullptr);
  EXPECT_EQ(PlaceOf(knob->hwnd), (std::vector<LONG>{65, 139, 97, 171}));
  const std::vector<Posted> posted = TakePosted(UWM_PC_VALUECHANGED);
  ASSERT_EQ(posted.size(), 1u);
  EXPECT_EQ(posted[0].wParam, 6u);
  EXPECT_EQ(posted[0].lParam, reinterpret_cast<LPARAM>(static_cast<ParameterControl*>(knob)));
  EXPECT_NEAR(knob->GetValue(), 0.35f, 1e-6f);
  EXPECT_EQ(knob->GetPosition(), 31);  // 90 x 0.35 = 31.5, truncated
  EXPECT_EQ(knob->GetMinimumPosition(), 0);
  EXPECT_EQ(knob->GetMaximumPosition(), 90);
}

TEST_F(KnobTest, FramesTruncateTheValueAndNeverLeaveTheStrip) {
  Knob* knob = Make(0.0f);
  ASSERT_NE(knob, nullptr);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  struct Case {
    float value;
    float reads;
    int32_t frame;
  };
  const Case cases[] = {
      {0.0f, 0.0f, 0},
      {0.5f, 0.5f, 45},      // 90 x 0.5
      {0.999f, 0.999f, 89},  // 89.91, not rounded up
      {1.0f, 1.0f, 90},
      {0.012f, 0.012f, 1},  // 1.08
      // What a host may send beyond the range lands on the nearer end; NaN on 0.
      {-0.5f, 0.0f, 0},
      {1.5f, 1.0f, 90},
      {nan, 0.0f, 0},
      {inf, 1.0f, 90},
      {-inf, 0.0f, 0},
  };
  for (const Case& c : cases) {
    knob->SetValue(c.value, false);
    EXPECT_NEAR(knob->GetValue(), c.reads, 1e-6f) << c.value;
    EXPECT_EQ(knob->GetPosition(), c.frame) << c.value;
  }
  knob->SetValue(0.25f, false);
  knob->SetPosition(500, false);
  EXPECT_EQ(knob->GetPosition(), 90);
  knob->SetPosition(-4, false);
  EXPECT_EQ(knob->GetPosition(), 0);
  EXPECT_NEAR(knob->GetValue(), 0.25f, 1e-6f);  // a position leaves the value alone
  EXPECT_EQ(ValueChanges(), 0u);
}

TEST_F(KnobTest, ProgrammaticSetsPostOnlyWhenAskedAndThenAlways) {
  Knob* knob = Make(0.3f);
  knob->SetValue(0.3f, false);
  EXPECT_EQ(ValueChanges(), 0u);
  knob->SetValue(0.3f, true);
  knob->SetValue(0.3f, true);
  EXPECT_EQ(ValueChanges(), 2u);  // also when nothing changed
  knob->SetPosition(10, true);
  EXPECT_EQ(ValueChanges(), 1u);
}

TEST_F(KnobTest, DraggingSweepsTheRangeInOneHundredPixelsOrAThousandWithShift) {
  Knob* knob = Make(0.2f);
  SendMouse(knob->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 16, 16);
  EXPECT_EQ(GetCapture(), knob->hwnd);
  SendMouse(knob->hwnd, WM_MOUSEMOVE, MK_LBUTTON, 16, -34);  // 50 pixels up: 0.2 + 0.5
  EXPECT_NEAR(knob->GetValue(), 0.7f, 1e-5f);
  EXPECT_EQ(ValueChanges(), 1u);
  SendMouse(knob->hwnd, WM_LBUTTONUP, 0, 16, -34);
  EXPECT_EQ(GetCapture(), nullptr);

  knob->SetValue(0.2f, false);
  SendMouse(knob->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 16, 16);
  SendMouse(knob->hwnd, WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, 16, -34);  // 0.2 + 50 x 0.001
  EXPECT_NEAR(knob->GetValue(), 0.25f, 1e-5f);
  SendMouse(knob->hwnd, WM_MOUSEMOVE, MK_LBUTTON, 40, -34);  // sideways: no change
  EXPECT_NEAR(knob->GetValue(), 0.25f, 1e-5f);
  SendMouse(knob->hwnd, WM_MOUSEMOVE, MK_LBUTTON, 40, -24);  // 10 down: 0.25 - 0.1
  EXPECT_NEAR(knob->GetValue(), 0.15f, 1e-5f);
  EXPECT_EQ(knob->GetPosition(), 13);  // 90 x 0.15 = 13.5
}

TEST_F(KnobTest, DraggingPastEitherEndClampsAndStillReportsEveryMove) {
  Knob* knob = Make(0.9f);
  SendMouse(knob->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 16, 16);
  for (int y : {6, -4, -14}) SendMouse(knob->hwnd, WM_MOUSEMOVE, MK_LBUTTON, 16, y);  // 0.9 + 0.3
  EXPECT_EQ(knob->GetValue(), 1.0f);
  EXPECT_EQ(knob->GetPosition(), 90);
  EXPECT_EQ(ValueChanges(), 3u);
  // The last point is the new reference: 250 pixels down from there reaches 0 and stays.
  SendMouse(knob->hwnd, WM_MOUSEMOVE, MK_LBUTTON, 16, 236);
  EXPECT_EQ(knob->GetValue(), 0.0f);
  EXPECT_EQ(knob->GetPosition(), 0);
  SendMouse(knob->hwnd, WM_MOUSEMOVE, MK_LBUTTON, 16, 226);  // 10 up from the clamp: 0.1
  EXPECT_NEAR(knob->GetValue(), 0.1f, 1e-5f);
}

TEST_F(KnobTest, MovesWithoutTheButtonOrTheCaptureDoNotDrag) {
  Knob* knob = Make(0.5f);
  SendMouse(knob->hwnd, WM_MOUSEMOVE, MK_LBUTTON, 16, 0);  // button reported, but no capture
  SendMouse(knob->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 16, 16);
  SendMouse(knob->hwnd, WM_MOUSEMOVE, 0, 16, 0);  // captured, but no button
  EXPECT_EQ(knob->GetValue(), 0.5f);
  EXPECT_EQ(ValueChanges(), 0u);
}

TEST_F(KnobTest, CtrlClickResetsToTheDefaultAndGoesOnDragging) {
  Knob* knob = Make(0.5f);
  knob->SetValue(0.9f, false);
  SendMouse(knob->hwnd, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, 16, 16);
  EXPECT_EQ(knob->GetValue(), 0.5f);
  EXPECT_EQ(ValueChanges(), 1u);
  SendMouse(knob->hwnd, WM_MOUSEMOVE, MK_LBUTTON, 16, 6);  // from the click point: 0.5 + 0.1
  EXPECT_NEAR(knob->GetValue(), 0.6f, 1e-5f);
  EXPECT_EQ(ValueChanges(), 1u);
}

TEST_F(KnobTest, EveryNotificationCarriesTheIndexAndThePostingControl) {
  // A negative index shows that wParam is the index widened with its sign.
  Knob* knob = CreateKnob(&background, -2, 0.0f, &knobStrip, 65, 139, parent->hwnd, instance);
  Multiswitch* toggle =
      CreateMultiswitch(&background, 7, 0.0f, &switchStrip, 343, 109, parent->hwnd, instance);
  ASSERT_NE(knob, nullptr);
  ASSERT_NE(toggle, nullptr);
  TakePosted();
  for (ParameterControl* control : std::vector<ParameterControl*>{knob, toggle}) {
    SendMouse(control->hwnd, WM_RBUTTONDOWN, MK_RBUTTON, 3, 3);
    SendMouse(control->hwnd, WM_MOUSEHOVER, 0, 3, 3);
    SendMessageA(control->hwnd, WM_MOUSELEAVE, 0, 0);
    control->SetValue(1.0f, true);
    const std::vector<Posted> posted = TakePosted();
    ASSERT_EQ(posted.size(), 4u);
    const UINT expected[] = {UWM_PC_RIGHTCLICKED, UWM_PC_HOVER, UWM_PC_LEAVE, UWM_PC_VALUECHANGED};
    for (size_t i = 0; i < posted.size(); ++i) {
      EXPECT_EQ(posted[i].message, expected[i]);
      EXPECT_EQ(posted[i].wParam, static_cast<WPARAM>(static_cast<intptr_t>(control->parameterIndex)));
      EXPECT_EQ(posted[i].lParam, reinterpret_cast<LPARAM>(control));
    }
  }
  EXPECT_EQ(static_cast<intptr_t>(TakePosted().size()), 0);
}

TEST_F(KnobTest, RestingOnTheControlPostsHoverAndLeavingPostsLeave) {
  Knob* knob = Make(0.5f, 3);
  ASSERT_NE(knob, nullptr);
  SetCursorPos(65 + 16, 139 + 16);                 // the host window sits at the screen's origin
  SendMouse(knob->hwnd, WM_MOUSEMOVE, 0, 16, 16);  // arms the tracking
  auto waitFor = [this](UINT message) {
    for (int i = 0; i < 200; ++i) {  // up to two seconds; the hover time is 200 ms
      for (const Posted& p : TakePosted()) {
        if (p.message == message) return true;
      }
      Sleep(10);
    }
    return false;
  };
  EXPECT_TRUE(waitFor(UWM_PC_HOVER));
  SetCursorPos(1000, 900);
  EXPECT_TRUE(waitFor(UWM_PC_LEAVE));
}

}  // namespace
}  // namespace QuorvelTest
