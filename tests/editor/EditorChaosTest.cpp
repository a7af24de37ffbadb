// Window messages are input too: a seeded storm of sent and posted messages at
// the view and every control, the four control notifications with random
// indices and pointers among them, while the host sets parameters, processes
// audio with MIDI and opens and closes the editor. Menus and boxes that the
// storm opens are dismissed by a thread timer, as a user pressing Escape would.
#include <windows.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <vector>

#include "tests/editor/EditorFixture.h"

namespace QuorvelTest {

namespace {

constexpr std::uint32_t kSeed = 0x51446C79;
constexpr int kMessages = 100000;
constexpr int kMessagesPerOpening = 5000;
constexpr int kParameters = 12;
constexpr int kFrames = 128;

void CALLBACK DismissModalLoops(HWND, UINT, UINT_PTR, DWORD) {
  AbandonModalLoops();
}

// A window of the editor, and for a parameter control the index and object
// pointer its own notifications carry.
struct Target {
  HWND hwnd;
  WPARAM index;
  LPARAM object;  // 0 for windows that post no notifications
};

class Storm {
 public:
  Storm() : random(kSeed) {
    for (const char* name : {"UWM_PC_VALUECHANGED-{19E51BEB-CF75-46aa-9890-B4178F0367D8}",
                             "UWM_PC_HOVER-{19E51BEB-CF75-46aa-9890-B4178F0367D8}",
                             "UWM_PC_LEAVE-{19E51BEB-CF75-46aa-9890-B4178F0367D8}",
                             "UWM_PC_RIGHTCLICKED-{19E51BEB-CF75-46aa-9890-B4178F0367D8}"}) {
      notifications.push_back(RegisterWindowMessageA(name));
    }
  }

  std::uint32_t Below(std::uint32_t n) { return static_cast<std::uint32_t>(random()) % n; }
  bool Chance(std::uint32_t perMille) { return Below(1000) < perMille; }

  // One message at the view or at one of `controls`, sent or posted.
  void Strike(HWND view, const std::vector<Target>& controls) {
    const bool atView = controls.empty() || Chance(300);
    HWND target = atView ? view : controls[Below(static_cast<std::uint32_t>(controls.size()))].hwnd;
    UINT message = 0;
    WPARAM wParam = Word();
    LPARAM lParam = static_cast<LPARAM>(Word());
    const std::uint32_t kind = Below(100);
    if (kind < 20) {
      // A notification: mostly forged, sometimes from the control of its own index.
      message = notifications[Below(4)];
      if (message == notifications[3] && !Chance(5)) message = notifications[0];
      const Target none{nullptr, 0, 0};
      const Target& control =
          controls.empty() ? none : controls[Below(static_cast<std::uint32_t>(controls.size()))];
      if (control.object != 0 && Chance(500)) {
        wParam = control.index;
        lParam = control.object;
      } else if (Chance(500)) {
        wParam = Below(16);
      }
      target = view;
    } else if (kind < 70) {
      static const UINT kMouse[] = {WM_MOUSEMOVE,  WM_MOUSEMOVE,     WM_MOUSEMOVE,  WM_LBUTTONDOWN,
                                    WM_LBUTTONUP,  WM_LBUTTONDBLCLK, WM_MOUSEWHEEL, WM_MOUSEHOVER,
                                    WM_MOUSELEAVE, WM_RBUTTONUP};
      message = Chance(3) ? WM_RBUTTONDOWN : kMouse[Below(sizeof kMouse / sizeof kMouse[0])];
      // Mostly inside the window (a control's own size or the view's), with any keys held.
      wParam = Chance(800) ? (Below(2) != 0 ? MK_LBUTTON : 0) | (Chance(100) ? MK_CONTROL : 0) : Word();
      if (message == WM_MOUSEWHEEL) wParam = MAKEWPARAM(LOWORD(wParam), static_cast<WORD>(Word()));
      if (Chance(850)) lParam = MAKELPARAM(Below(atView ? 500 : 80), Below(atView ? 350 : 80));
      if (atView && message == WM_LBUTTONDOWN && !Chance(20))
        lParam = MAKELPARAM(Below(500), 72 + Below(278));
    } else {
      static const UINT kOther[] = {WM_PAINT,   WM_SIZE,  WM_SETFOCUS, WM_KILLFOCUS, WM_CAPTURECHANGED,
                                    WM_KEYDOWN, WM_KEYUP, WM_CHAR,     WM_TIMER};
      message = kOther[Below(sizeof kOther / sizeof kOther[0])];
    }
    // A posted WM_TIMER with a parameter would make DispatchMessage call it as a
    // timer procedure: that is the host's own fault, not the editor's.
    if (Chance(300) && message != WM_TIMER) {
      PostMessageA(target, message, wParam, lParam);
    } else {
      SendMessageA(target, message, wParam, lParam);
    }
  }

  float Value() {
    static const float kOdd[] = {
        -1.0f, 2.0f,  std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
        -0.0f, 1e-40f};
    if (Chance(100)) return kOdd[Below(sizeof kOdd / sizeof kOdd[0])];
    return static_cast<float>(Below(1001)) / 1000.0f;
  }

 private:
  std::uintptr_t Word() {
    const auto high = static_cast<std::uint64_t>(random());
    return static_cast<std::uintptr_t>((high << 32) | static_cast<std::uint32_t>(random()));
  }

  std::mt19937 random;
  std::vector<UINT> notifications;
};

class EditorChaos : public EditorTest {
 protected:
  std::vector<Target> Controls() const {
    std::vector<Target> controls;
    for (int32_t i = 0; i < kParameters; ++i) {
      HWND control = ControlOf(i);
      if (control != nullptr) {
        controls.push_back(
            Target{control, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(ControlObject(control))});
      }
    }
    for (const char* className :
         {"QuorvelWindowsToolkitIncrementButton", "QuorvelWindowsToolkitStatusControl"}) {
      for (HWND control : ChildrenOfClass(className)) controls.push_back(Target{control, 0, 0});
    }
    return controls;
  }

  // A block of audio with a control change on a controller that is mapped or not.
  void Process(Storm& storm) {
    std::vector<float> left(kFrames, 0.25f), right(kFrames, -0.25f);
    float* channels[2] = {left.data(), right.data()};
    ProcessControlChange(static_cast<int>(storm.Below(128)), static_cast<int>(storm.Below(128)));
    effect->processReplacing(effect, channels, channels, kFrames);
    for (int i = 0; i < kFrames; ++i) {
      ASSERT_TRUE(std::isfinite(left[static_cast<size_t>(i)]) &&
                  std::isfinite(right[static_cast<size_t>(i)]));
    }
  }

  void ExpectValuesInRange() {
    for (int32_t i = 0; i < kParameters; ++i) {
      const float value = GetParameter(i);
      EXPECT_TRUE(value >= 0.0f && value <= 1.0f) << "parameter " << i << " is " << value;
    }
  }

  // Every window this thread still has, apart from the host's own.
  int WindowsLeft() const {
    struct Count {
      HWND parent;
      int windows;
    } count{parent, 0};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
          auto* counting = reinterpret_cast<Count*>(data);
          // The process's own hidden helper windows are not the editor's.
          if (window != counting->parent && IsWindowVisible(window)) ++counting->windows;
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count.windows + (FindWindowExA(parent, nullptr, nullptr, nullptr) != nullptr ? 1 : 0);
  }
};

TEST_F(EditorChaos, AStormOfWindowMessagesWithAudioAndReopeningBreaksNothing) {
  Storm storm;
  const UINT_PTR dismisser = SetTimer(nullptr, 0, 10, DismissModalLoops);
  ASSERT_TRUE(OpenEditor());
  int openings = 1;
  HWND view = View();
  std::vector<Target> controls = Controls();
  ASSERT_GE(controls.size(), static_cast<size_t>(kParameters));
  for (int sent = 0; sent < kMessages; ++sent) {
    storm.Strike(view, controls);
    if (storm.Chance(20)) SetParameter(static_cast<int32_t>(storm.Below(kParameters)), storm.Value());
    if (storm.Chance(10)) Process(storm);
    if (sent % 64 == 0) Pump();
    if (sent % kMessagesPerOpening == kMessagesPerOpening - 1) {
      Pump();
      Dispatch(effEditClose);
      Pump();
      ASSERT_EQ(View(), nullptr);
      ExpectValuesInRange();
      ASSERT_TRUE(OpenEditor());
      ++openings;
      view = View();
      controls = Controls();
    }
  }
  Pump();
  KillTimer(nullptr, dismisser);
  ExpectValuesInRange();
  Dispatch(effEditClose);
  Pump();
  EXPECT_EQ(View(), nullptr);
  CloseInstance();
  Pump();
  EXPECT_EQ(WindowsLeft(), 0);
  std::printf("editor chaos: %d messages over %d openings, %zu edits reported to the host\n", kMessages,
              openings, Automations().size());
}

}  // namespace

}  // namespace QuorvelTest
