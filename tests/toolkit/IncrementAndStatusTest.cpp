#include <string>

#include "tests/toolkit/ToolkitFixture.h"
#include "toolkit/win32/IncrementButton.h"
#include "toolkit/win32/Multiswitch.h"
#include "toolkit/win32/RegisteredMessages.h"
#include "toolkit/win32/StatusControl.h"

namespace QuorvelTest {
namespace {

using namespace WindowsToolkit;

class IncrementButtonTest : public ToolkitTest {
 protected:
  void SetUp() override {
    ToolkitTest::SetUp();
    button = CreateIncrementButton(&background, &buttonStrip, 227, parent->hwnd, instance);
    ASSERT_NE(button, nullptr);
  }
  Multiswitch* Target(const FrameStrip* strip, float value) {
    Multiswitch* target = CreateMultiswitch(&background, 4, value, strip, 144, 221, parent->hwnd, instance);
    button->target = target;
    TakePosted();
    return target;
  }
  // Clicks the button and returns the target's position and the messages the click posted.
  std::pair<int32_t, std::vector<Posted>> Step() {
    SendMouse(button->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 10, 10);
    EXPECT_EQ(GetCapture(), button->hwnd);
    SendMouse(button->hwnd, WM_LBUTTONUP, 0, 10, 10);
    EXPECT_EQ(GetCapture(), nullptr);
    return {button->target->GetPosition(), TakePosted()};
  }

  IncrementButton* button = nullptr;
};

TEST_F(IncrementButtonTest, SitsAtX116WhateverItsY) {
  IncrementButton* lower = CreateIncrementButton(&background, &buttonStrip, 262, parent->hwnd, instance);
  ASSERT_NE(lower, nullptr);
  EXPECT_EQ(PlaceOf(button->hwnd), (std::vector<LONG>{116, 227, 144, 255}));
  EXPECT_EQ(PlaceOf(lower->hwnd), (std::vector<LONG>{116, 262, 144, 290}));
}

TEST_F(IncrementButtonTest, StepsTheTargetAndWrapsFromTheLastPositionToTheFirst) {
  Multiswitch* notes = Target(&selectorStrip, 0.5f);  // position 2
  for (int32_t expected : {3, 4, 0, 1, 2}) {
    auto [position, posted] = Step();
    EXPECT_EQ(position, expected);
    ASSERT_EQ(posted.size(), 1u);  // exactly one report, from the target
    EXPECT_EQ(posted[0].message, UWM_PC_VALUECHANGED);
    EXPECT_EQ(posted[0].wParam, 4u);
    EXPECT_EQ(posted[0].lParam, reinterpret_cast<LPARAM>(static_cast<ParameterControl*>(notes)));
  }
  Target(&switchStrip, 0.0f);
  EXPECT_EQ(Step().first, 1);
  EXPECT_EQ(Step().first, 0);
}

TEST_F(IncrementButtonTest, ASinglePositionTargetStaysPutButIsReportedEachTime) {
  const FrameStrip single(&switchImage, 1, true);
  Target(&single, 0.0f);
  for (int i = 0; i < 2; ++i) {
    auto [position, posted] = Step();
    EXPECT_EQ(position, 0);
    EXPECT_EQ(posted.size(), 1u);
  }
}

TEST_F(IncrementButtonTest, OnlyAPressOnTheButtonSteps) {
  SendMouse(button->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 10, 10);  // no target yet: nothing to step
  SendMouse(button->hwnd, WM_LBUTTONUP, 0, 10, 10);
  EXPECT_TRUE(TakePosted().empty());
  Multiswitch* notes = Target(&selectorStrip, 0.0f);
  // A release that ends a drag begun elsewhere is not a click on the button.
  SendMouse(button->hwnd, WM_LBUTTONUP, 0, 10, 10);
  EXPECT_EQ(notes->GetPosition(), 0);
  EXPECT_TRUE(TakePosted().empty());
}

class StatusControlTest : public ToolkitTest {};

TEST_F(StatusControlTest, SitsAtItsFixedPlaceAndKeepsAtMost511Characters) {
  StatusControl* status = CreateStatusControl(&background, parent->hwnd, instance);
  ASSERT_NE(status, nullptr);
  EXPECT_EQ(PlaceOf(status->hwnd), (std::vector<LONG>{305, 34, 450, 59}));  // 145 x 25
  EXPECT_STREQ(status->GetText(), "");

  std::string longText;
  for (int i = 0; i < 600; ++i) longText += static_cast<char>('a' + i % 26);
  status->SetText(longText.c_str());
  EXPECT_EQ(std::string(status->GetText()), longText.substr(0, 511));
  status->SetText(longText.substr(0, 511).c_str());
  EXPECT_EQ(std::string(status->GetText()), longText.substr(0, 511));
  status->SetText("Sync: Off");
  EXPECT_STREQ(status->GetText(), "Sync: Off");
  status->SetText(nullptr);
  EXPECT_STREQ(status->GetText(), "");
}

}  // namespace
}  // namespace QuorvelTest
