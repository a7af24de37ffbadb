// The Linux editor's menus and boxes, answered through the keyboard and the pointer
// from a second connection while the host idles the editor.
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/editor-x11/X11EditorFixture.h"

#include <X11/keysym.h>

namespace QuorvelTest {
namespace {

constexpr VstInt32 kFeedback = 6;
constexpr int kController = 74;
const char kMenu[] = "QuorvelPopupMenu";

class X11EditorMenu : public X11EditorTest {
 protected:
  void SetUp() override {
    X11EditorTest::SetUp();
    if (display == nullptr) return;
    ASSERT_TRUE(OpenEditor());
    knob = ControlAt(179, 139);
    status = ControlAt(305, 34);
    empty = EmptyStatus();
  }

  void ParameterMenu(const std::vector<unsigned long>& keys) {
    Click(knob, 16, 16, 3);
    WhileShown(kMenu, [&keys](Display* own, ::Window) { Type(own, keys); });
  }
  void Learn() {
    ParameterMenu({XK_Down, XK_Return});
    ControlChange(kController, 64);
    Idle();
  }
  // The title menu's "Clear All MIDI Learn", then the warning box answered by `answer`.
  void ClearAll(unsigned long answer) {
    Click(View(), 100, 50);
    WhileShown(kMenu, [answer](Display* own, ::Window) {
      Type(own, {XK_Down, XK_Down, XK_Return});  // About, Clear All MIDI Learn
      if (WaitShown(own, "Warning!") == 0) return;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      Type(own, {answer});
    });
  }
  // Whether the host's own loop, which runs between the idles, hears of a message sent
  // to its window while the window `name` is shown; then `answer` answers that window
  // (Escape where the host heard nothing: an editor that waits in the idle for the
  // answer would wait for ever).
  bool HostHearsWhileShown(const std::string& name, const std::function<void(Display*)>& answer) {
    const Atom ping = XInternAtom(display, "QUORVEL_TEST_PING", False);
    std::atomic<bool> heard{false};
    std::atomic<bool> finished{false};
    bool heardWhileShown = false;
    std::thread driver([&] {
      Display* own = OpenDriver();
      if (own != nullptr && WaitShown(own, name) != 0) {
        XEvent message{};
        message.xclient.type = ClientMessage;
        message.xclient.window = host;
        message.xclient.message_type = ping;
        message.xclient.format = 32;
        XSendEvent(own, host, False, NoEventMask, &message);
        XSync(own, False);
        for (int i = 0; i < 400 && !heard; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        heardWhileShown = heard && WaitShown(own, name, 1) != 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));  // the window takes the keyboard once mapped
        if (heardWhileShown) {
          answer(own);
        } else {
          Type(own, {XK_Escape});
        }
      }
      CloseDriver(own);
      finished = true;
    });
    while (!finished) {
      Idle(1);
      for (XEvent event; XCheckTypedWindowEvent(display, host, ClientMessage, &event);) {
        if (event.xclient.message_type == ping) heard = true;
      }
    }
    driver.join();
    Idle(3);
    return heardWhileShown;
  }
  // Whether controller 74 still moves the feedback parameter.
  bool Bound() {
    effect->setParameter(effect, kFeedback, 0.5f);
    ControlChange(kController, 127);
    return Parameter(kFeedback) == 1.0f;
  }

  ::Window knob = 0;
  ::Window status = 0;
  std::vector<unsigned long> empty;
};

TEST_F(X11EditorMenu, LearnFromTheParameterMenuThenAControlChangeCompletesItAndForgetUndoesIt) {
  ParameterMenu({XK_Down, XK_Return});  // "MIDI Learn"
  EXPECT_NE(Pixels(status), empty) << "no Learning... shown";
  ControlChange(kController, 64);
  Idle();
  EXPECT_EQ(Pixels(status), empty) << "learning done clears the status line";

  // A mapped change from the audio thread moves the knob, painted at the next idle.
  effect->setParameter(effect, kFeedback, 0.0f);
  Idle();
  const std::vector<unsigned long> before = Pixels(knob);
  recorder.calls.clear();
  ControlChange(kController, 127);
  EXPECT_FLOAT_EQ(Parameter(kFeedback), 1.0f);
  EXPECT_EQ(Automations(kFeedback).size(), 1u);  // a MIDI change is told to the host
  Idle();
  EXPECT_NE(Pixels(knob), before);

  ParameterMenu({XK_Down, XK_Down, XK_Return});  // "Forget CC: 74"
  EXPECT_FALSE(Bound());
}

TEST_F(X11EditorMenu, ClearAllAsksFirstCancelKeepsTheBindingsAndOkRemovesThem) {
  Learn();
  ASSERT_TRUE(Bound());
  ClearAll(XK_Escape);
  EXPECT_TRUE(Bound());
  ClearAll(XK_Return);
  EXPECT_FALSE(Bound());
}

TEST_F(X11EditorMenu, TheAboutBoxOpensTheWebPageStaysOpenAndEscapeClosesIt) {
  const std::string log = std::string(QUORVEL_BROWSER_DIR) + "/opened.log";
  std::remove(log.c_str());
  const std::string path = std::string(QUORVEL_BROWSER_DIR) + ":" + getenv("PATH");
  setenv("PATH", path.c_str(), 1);
  bool stayedOpen = false;
  Click(View(), 100, 50);
  WhileShown(kMenu, [&](Display* own, ::Window) {
    Type(own, {XK_Return});  // nothing highlighted yet: Return dismisses
  });
  Click(View(), 100, 50);
  WhileShown(kMenu, [&](Display* own, ::Window) {
    Type(own, {XK_Down, XK_Return});  // "About"
    const ::Window about = WaitShown(own, "About Quorvel Delay");
    if (about == 0) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ClickOn(own, about, 78 + 37, 364 + 11);  // "Visit Website"
    for (int i = 0; i < 100 && !std::ifstream(log).good(); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    stayedOpen = WaitShown(own, "About Quorvel Delay") == about;
    Type(own, {XK_Escape});
  });
  std::ifstream opened(log);
  std::stringstream text;
  text << opened.rdbuf();
  EXPECT_EQ(text.str(), "https://quorvel.example/delay\n");
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(PlaceOf(View()).width, 496);  // the editor goes on after the box
}

TEST_F(X11EditorMenu, WhileAMenuOrABoxIsOpenTheIdleReturnsAndTheHostsOwnWindowHearsItsEvents) {
  Click(View(), 100, 50);
  EXPECT_TRUE(HostHearsWhileShown(kMenu, [](Display* own) { Type(own, {XK_Down, XK_Return}); }));  // "About"
  EXPECT_TRUE(HostHearsWhileShown("About Quorvel Delay", [](Display* own) { Type(own, {XK_Escape}); }));
  EXPECT_EQ(WaitShown(display, "About Quorvel Delay", 1), 0u);
}

TEST_F(X11EditorMenu, AMenuOpenWhenTheEditorClosesGoesWithItAndAnswersDismissed) {
  ParameterMenu({XK_Down, XK_Return});  // "MIDI Learn": armed
  Click(knob, 16, 16, 3);
  Idle();
  ASSERT_NE(WaitShown(display, kMenu), 0u);
  Dispatch(effEditClose);
  XSync(display, False);
  EXPECT_EQ(WaitShown(display, kMenu, 1), 0u);
  // Dismissing the menu ended the learn: a control change binds nothing.
  ControlChange(kController, 64);
  EXPECT_FALSE(Bound());
}

}  // namespace
}  // namespace QuorvelTest
