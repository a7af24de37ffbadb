// The Linux editor under a real pointer: drags, clicks, hover and leave, and values
// that arrive from the host's other threads.
#include <chrono>
#include <thread>
#include <vector>

#include "tests/editor-x11/X11EditorFixture.h"

#include <X11/keysym.h>

namespace QuorvelTest {
namespace {

constexpr VstInt32 kFeedback = 6;
constexpr VstInt32 kLeftDelay = 1;

class X11EditorInput : public X11EditorTest {
 protected:
  void SetUp() override {
    X11EditorTest::SetUp();
    if (display == nullptr) return;
    ASSERT_TRUE(OpenEditor());
    knob = ControlAt(179, 139);
    status = ControlAt(305, 34);
    ASSERT_NE(knob, 0u);
    ASSERT_NE(status, 0u);
  }

  // Drags the feedback knob `pixels` up one pixel a move, idling at 15 Hz (every
  // fourth move, as a slow host sees them), and returns how many automations it caused.
  size_t DragUp(int pixels) {
    MoveTo(knob, 16, 20);
    Button(1, true);
    Idle(1);
    const size_t before = Automations(kFeedback).size();
    for (int i = 1; i <= pixels; ++i) {
      MoveTo(knob, 16, 20 - i);
      if (i % 4 == 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(66));
        Idle(1);
      }
    }
    Idle(2);
    Button(1, false);
    Idle(2);
    return Automations(kFeedback).size() - before;
  }

  ::Window knob = 0;
  ::Window status = 0;
};

TEST_F(X11EditorInput, KnobDragsMoveTheParameterAHundredthPerPixelAndAThousandthWithShift) {
  const float start = Parameter(kFeedback);
  // 10 pixels of 100 for the whole range: + 0.1, told to the host once per move.
  EXPECT_EQ(DragUp(10), 10u);
  EXPECT_NEAR(Parameter(kFeedback), start + 0.1f, 1e-6);
  EXPECT_NEAR(Automations(kFeedback).back().opt, start + 0.1f, 1e-6);

  Key(XK_Shift_L, true);
  DragUp(10);  // 10 of 1000 pixels: + 0.01
  Key(XK_Shift_L, false);
  EXPECT_NEAR(Parameter(kFeedback), start + 0.11f, 1e-5);
}

TEST_F(X11EditorInput, CtrlClickResetsToTheDefault) {
  ::Window leftDelay = ControlAt(65, 139);
  effect->setParameter(effect, kLeftDelay, 0.2f);
  Idle();
  Key(XK_Control_L, true);
  Click(leftDelay, 16, 16);
  Key(XK_Control_L, false);
  Idle();
  EXPECT_FLOAT_EQ(Parameter(kLeftDelay), 1.0f);  // the Left Delay knob's default
  ASSERT_FALSE(Automations(kLeftDelay).empty());
  EXPECT_FLOAT_EQ(Automations(kLeftDelay).back().opt, 1.0f);
}

TEST_F(X11EditorInput, AHostChangeFromItsOwnThreadMovesTheKnobAtTheNextIdleAndIsNotEchoed) {
  effect->setParameter(effect, kFeedback, 0.0f);
  Idle();
  const std::vector<unsigned long> before = Pixels(knob);
  recorder.calls.clear();
  std::thread hostThread([this] { effect->setParameter(effect, kFeedback, 1.0f); });
  hostThread.join();
  EXPECT_EQ(Pixels(knob), before) << "painted outside the user-interface thread's idle";
  Idle();
  EXPECT_NE(Pixels(knob), before);
  EXPECT_TRUE(Automations(kFeedback).empty());
}

TEST_F(X11EditorInput, HoverShowsTheStatusTextAndLeavingClearsIt) {
  const std::vector<unsigned long> empty = EmptyStatus();
  MoveTo(knob, 10, 10);
  MoveTo(knob, 12, 12);
  for (int i = 0; i < 12; ++i) {  // past the 200 ms hover time
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    Idle(1);
  }
  EXPECT_NE(Pixels(status), empty);
  MoveTo(View(), 20, 320);  // the background, away from every control
  Idle();
  EXPECT_EQ(Pixels(status), empty);
}

TEST_F(X11EditorInput, AnIncrementButtonStepsItsSelectorAndWrapsAround) {
  ::Window button = ControlAt(116, 227);
  constexpr VstInt32 kLeftSync = 4;
  effect->setParameter(effect, kLeftSync, 1.0f);  // the last of five positions
  Idle();
  Click(button, 14, 14);
  Idle();
  EXPECT_FLOAT_EQ(Parameter(kLeftSync), 0.0f);
  Click(button, 14, 14);
  Idle();
  EXPECT_FLOAT_EQ(Parameter(kLeftSync), 0.25f);
}

TEST_F(X11EditorInput, EveryGestureReachesTheHostBetweenItsBeginAndItsEnd) {
  recorder.calls.clear();
  Click(ControlAt(266, 125), 10, 5);  // Pan: on
  Key(XK_Control_L, true);
  Click(ControlAt(390, 241), 16, 16);  // Mix: back to its default
  Key(XK_Control_L, false);
  Click(ControlAt(116, 227), 14, 14);  // the Left Sync selector's button
  // A knob drag that the editor's close cuts short, once its begin and value are in.
  MoveTo(knob, 16, 20);
  Button(1, true);
  MoveTo(knob, 16, 19);
  for (int i = 0; i < 200 && recorder.Edits().size() < 11; ++i) Idle(1);
  Dispatch(effEditClose);
  Button(1, false);
  EXPECT_EQ(recorder.Edits(), (std::vector<std::string>{"begin 10", "automate 10", "end 10", "begin 11",
                                                        "automate 11", "end 11", "begin 4", "automate 4",
                                                        "end 4", "begin 6", "automate 6", "end 6"}));
}

}  // namespace
}  // namespace QuorvelTest
