// Values travel one way per source: an edit in the editor goes to the model and the
// host, a change from the host or from MIDI comes back to the controls only.
#include "tests/editor/EditorFixture.h"

namespace QuorvelTest {
namespace {

using EditorValueFlow = EditorTest;

TEST_F(EditorValueFlow, AKnobDragReachesTheModelAndTellsTheHostOncePerMove) {
  SetParameter(1, 0.2f);
  ASSERT_TRUE(OpenEditor());
  HWND knob = ControlOf(1);
  ASSERT_NE(knob, nullptr);
  host.calls.clear();

  // One pixel is 0.01: 10 pixels up from 0.2 is 0.3, 20 more 0.5, then 30 down 0.2.
  // Each move's notification is handled before the next move, as posted messages
  // come before mouse input in a real message loop.
  Mouse(knob, WM_LBUTTONDOWN, MK_LBUTTON, 16, 16);
  for (int y : {6, -14, 16}) {
    Mouse(knob, WM_MOUSEMOVE, MK_LBUTTON, 16, y);
    Pump();
  }
  Mouse(knob, WM_LBUTTONUP, 0, 16, 16);
  Pump();

  const std::vector<RecordingHost::Call> told = Automations();
  ASSERT_EQ(told.size(), 3u);
  const float dragged[] = {0.3f, 0.5f, 0.2f};
  for (size_t i = 0; i < told.size(); ++i) {
    EXPECT_EQ(told[i].index, 1);
    EXPECT_NEAR(told[i].opt, dragged[i], 1e-6f);
    EXPECT_EQ(told[i].effect, effect);
  }
  EXPECT_NEAR(GetParameter(1), 0.2f, 1e-6f);
  EXPECT_EQ(StatusText(), "Left Delay: 0.04 Secs");  // 0.2 x 0.2 seconds
}

TEST_F(EditorValueFlow, AHostChangeMovesTheControlWithoutEchoingBack) {
  ASSERT_TRUE(OpenEditor());
  host.calls.clear();
  SetParameter(6, 0.7f);
  SetParameter(7, 1.0f);
  Pump();
  EXPECT_NEAR(ControlValue(6), 0.7f, 1e-6f);
  EXPECT_FLOAT_EQ(ControlValue(7), 1.0f);
  EXPECT_TRUE(Automations().empty());
  EXPECT_EQ(StatusText(), "Filter: On ");  // the last change, with its empty label

  // A program change sets every control from the program.
  SetParameter(6, 0.1f);
  Dispatch(effSetProgram, 0, 5);
  Dispatch(effSetProgram, 0, 0);
  Pump();
  EXPECT_FLOAT_EQ(ControlValue(6), GetParameter(6));
  EXPECT_TRUE(Automations().empty());
}

TEST_F(EditorValueFlow, AMidiChangeMovesTheControlAndIsToldToTheHost) {
  ASSERT_TRUE(OpenEditor());
  ModalScript learn({ModalScript::ChooseMenuItem(1)});  // "MIDI Learn"
  RightClick(8);
  ASSERT_TRUE(learn.Finished());
  EXPECT_EQ(StatusText(), "Learning...");
  ProcessControlChange(74, 10);  // completes learning without changing the value
  EXPECT_EQ(StatusText(), "");
  host.calls.clear();

  ProcessControlChange(74, 127);
  Pump();
  EXPECT_FLOAT_EQ(ControlValue(8), 1.0f);
  EXPECT_FLOAT_EQ(GetParameter(8), 1.0f);
  ASSERT_EQ(Automations().size(), 1u);
  EXPECT_EQ(Automations()[0].index, 8);
  EXPECT_FLOAT_EQ(Automations()[0].opt, 1.0f);
  // 1 x 1 x 9980 + 20 hertz, in the display's field of seven characters.
  EXPECT_EQ(StatusText(), "Cutoff Freq: 10000.0 Hz");
}

TEST_F(EditorValueFlow, HoverShowsTheParameterAndLeavingClearsOrShowsLearning) {
  SetParameter(1, 0.5f);
  ASSERT_TRUE(OpenEditor());
  Hover(1);
  EXPECT_EQ(StatusText(), "Left Delay: 0.25 Secs");
  // While the mouse rests there, host automation of others leaves the line alone.
  SetParameter(11, 1.0f);
  Pump();
  EXPECT_EQ(StatusText(), "Left Delay: 0.25 Secs");
  Leave(1);
  EXPECT_EQ(StatusText(), "");

  Hover(0);
  EXPECT_EQ(StatusText(), "Enabled: On ");
  ModalScript learn({ModalScript::ChooseMenuItem(1)});
  RightClick(0);
  EXPECT_EQ(StatusText(), "Learning...");
  Hover(11);
  EXPECT_EQ(StatusText(), "Wet/Dry Mix: +100 ");
  Leave(11);
  EXPECT_EQ(StatusText(), "Learning...");
}

TEST_F(EditorValueFlow, ASwitchClickAndACtrlClickResetReachTheHost) {
  ASSERT_TRUE(OpenEditor());
  host.calls.clear();
  HWND pan = ControlOf(10);
  Mouse(pan, WM_LBUTTONDOWN, MK_LBUTTON, 10, 5);  // the upper half is position 1
  Mouse(pan, WM_LBUTTONUP, 0, 10, 5);
  Pump();
  EXPECT_FLOAT_EQ(GetParameter(10), 1.0f);
  EXPECT_EQ(StatusText(), "Pan: On ");

  HWND mix = ControlOf(11);
  SetParameter(11, 0.9f);
  Mouse(mix, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, 16, 16);
  Mouse(mix, WM_LBUTTONUP, 0, 16, 16);
  Pump();
  EXPECT_FLOAT_EQ(GetParameter(11), 0.5f);
  ASSERT_EQ(Automations().size(), 2u);
  EXPECT_EQ(Automations()[1].index, 11);
  EXPECT_FLOAT_EQ(Automations()[1].opt, 0.5f);
}

TEST_F(EditorValueFlow, EveryGestureReachesTheHostBetweenItsBeginAndItsEnd) {
  ASSERT_TRUE(OpenEditor());
  host.calls.clear();
  // A switch click, a Ctrl+click back to the default, the Left Sync selector's button.
  for (HWND control : {ControlOf(10), ControlOf(11), ChildWindowFromPoint(View(), POINT{120, 231})}) {
    const WPARAM keys = control == ControlOf(11) ? MK_CONTROL : 0;
    Mouse(control, WM_LBUTTONDOWN, MK_LBUTTON | keys, 10, 5);
    Mouse(control, WM_LBUTTONUP, keys, 10, 5);
  }
  // A knob drag that loses the capture ends there; one that the editor's close cuts short, too.
  HWND knob = ControlOf(1);
  Mouse(knob, WM_LBUTTONDOWN, MK_LBUTTON, 16, 16);
  SetCapture(parent);
  Mouse(knob, WM_LBUTTONUP, 0, 16, 16);
  Mouse(knob, WM_LBUTTONDOWN, MK_LBUTTON, 16, 16);
  Mouse(knob, WM_MOUSEMOVE, MK_LBUTTON, 16, 6);
  Pump();
  Dispatch(effEditClose);
  Pump();
  EXPECT_EQ(host.Edits(), (std::vector<std::string>{"begin 10", "automate 10", "end 10", "begin 11",
                                                    "automate 11", "end 11", "begin 4", "automate 4", "end 4",
                                                    "begin 1", "end 1", "begin 1", "automate 1", "end 1"}));
}

}  // namespace
}  // namespace QuorvelTest
