#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "tests/toolkit/ToolkitFixture.h"
#include "toolkit/win32/RegisteredMessages.h"
#include "toolkit/win32/Window.h"

namespace QuorvelTest {
namespace {

using WindowsToolkit::Window;

const char kRecorderClass[] = "QuorvelToolkitTestRecorder";

std::string Join(const char* name, std::initializer_list<long long> values) {
  std::string line = name;
  for (long long value : values) line += " " + std::to_string(value);
  return line;
}

// Logs every operation the window procedure calls into a log that outlives it, and
// answers every message operation with `handled`.
class Recorder final : public Window {
 public:
  Recorder(std::vector<std::string>* log_, int handled_, int acceptNcCreate_ = 1, int acceptCreate_ = 1)
      : log(log_), handled(handled_), acceptNcCreate(acceptNcCreate_), acceptCreate(acceptCreate_) {}
  ~Recorder() override { log->push_back(hwnd == nullptr ? "~Recorder" : "~Recorder with a handle"); }

  int OnNcCreate(CREATESTRUCTA*) override { return Log("OnNcCreate", {}, acceptNcCreate); }
  int OnCreate(CREATESTRUCTA*) override { return Log("OnCreate", {}, acceptCreate); }
  int OnSize(WPARAM t, uint32_t w, uint32_t h) override { return Log("OnSize", {ll(t), w, h}); }
  int OnMove(uint32_t left, uint32_t top) override { return Log("OnMove", {left, top}); }
  int OnPaint(HDC) override { return Log("OnPaint", {}); }
  int OnEraseBackground(HDC dc) override { return Log("OnEraseBackground", {ll(dc)}); }
  int OnDrawItem(WPARAM w, LPARAM l) override { return Log("OnDrawItem", {ll(w), l}); }
  int OnSetFocus(WPARAM w) override { return Log("OnSetFocus", {ll(w)}); }
  int OnKillFocus(WPARAM w) override { return Log("OnKillFocus", {ll(w)}); }
  int OnShowWindow(WPARAM w, LPARAM l) override { return Log("OnShowWindow", {ll(w), l}); }
  int OnCommand(WPARAM w, LPARAM l) override { return Log("OnCommand", {ll(w), l}); }
  int OnChar(WPARAM c, uint32_t r, uint32_t f) override { return Log("OnChar", {ll(c), r, f}); }
  int OnKeyDown(WPARAM k, uint32_t r, uint32_t f) override { return Log("OnKeyDown", {ll(k), r, f}); }
  int OnKeyUp(WPARAM k, uint32_t r, uint32_t f) override { return Log("OnKeyUp", {ll(k), r, f}); }
  int OnLButtonDown(WPARAM k, POINT p) override { return Log("OnLButtonDown", {ll(k), p.x, p.y}); }
  int OnLButtonUp(WPARAM k, POINT p) override { return Log("OnLButtonUp", {ll(k), p.x, p.y}); }
  int OnRButtonDown(WPARAM k, POINT p) override { return Log("OnRButtonDown", {ll(k), p.x, p.y}); }
  int OnRButtonUp(WPARAM k, POINT p) override { return Log("OnRButtonUp", {ll(k), p.x, p.y}); }
  int OnMouseMove(WPARAM k, POINT p) override { return Log("OnMouseMove", {ll(k), p.x, p.y}); }
  int OnMouseHover(WPARAM k, POINT p) override { return Log("OnMouseHover", {ll(k), p.x, p.y}); }
  int OnMouseLeave() override { return Log("OnMouseLeave", {}); }
  int OnMouseWheel(uint32_t k, uint32_t d, POINT p) override { return Log("OnMouseWheel", {k, d, p.x, p.y}); }
  int OnHScroll(uint32_t r, uint32_t p, LPARAM l) override { return Log("OnHScroll", {r, p, l}); }
  int OnVScroll(uint32_t r, uint32_t p, LPARAM l) override { return Log("OnVScroll", {r, p, l}); }
  int OnClose() override { return Log("OnClose", {}); }
  int OnDestroy() override { return Log("OnDestroy", {}); }
  int OnNcDestroy() override { return Log("OnNcDestroy", {}); }
  LRESULT WindowProc(UINT message, WPARAM w, LPARAM l) override {
    if (message < WM_USER) return Window::WindowProc(message, w, l);  // the system's own traffic
    log->push_back(Join("WindowProc", {message, ll(w), l}));
    return 0x5A5A;
  }

 private:
  template <typename T>
  static long long ll(T value) {
    if constexpr (std::is_pointer_v<T>) {
      return reinterpret_cast<intptr_t>(value);
    } else {
      return static_cast<long long>(value);
    }
  }
  int Log(const char* name, std::initializer_list<long long> values) { return Log(name, values, handled); }
  int Log(const char* name, std::initializer_list<long long> values, int result) {
    log->push_back(Join(name, values));
    return result;
  }

  std::vector<std::string>* log;
  int handled;
  int acceptNcCreate;
  int acceptCreate;
};

class WindowRoutingTest : public ToolkitTest {
 protected:
  static void SetUpTestSuite() {
    ToolkitTest::SetUpTestSuite();
    static const bool registered = Window::RegisterWindowClass(kRecorderClass, GetModuleHandleA(nullptr));
    ASSERT_TRUE(registered);
  }

  Recorder* Create(int handled, int acceptNcCreate = 1, int acceptCreate = 1) {
    auto* recorder = new Recorder(&log, handled, acceptNcCreate, acceptCreate);
    return Window::CreateToolkitWindow(recorder, kRecorderClass, 10, 20, 30, 40, parent->hwnd, instance)
               ? recorder
               : nullptr;
  }

  // The last entries of the log (hiding a visible window may come first).
  std::vector<std::string> Tail(size_t count) const {
    return std::vector<std::string>(log.end() - static_cast<std::ptrdiff_t>(std::min(count, log.size())),
                                    log.end());
  }

  std::vector<std::string> log;
};

TEST_F(WindowRoutingTest, CreationAttachesTheObjectAndDestructionDeletesIt) {
  Recorder* recorder = Create(1);
  ASSERT_NE(recorder, nullptr);
  ASSERT_NE(recorder->hwnd, nullptr);
  EXPECT_EQ(GetPropA(recorder->hwnd, "object"), static_cast<Window*>(recorder));
  EXPECT_EQ(GetParent(recorder->hwnd), parent->hwnd);
  EXPECT_EQ(GetWindowLongA(recorder->hwnd, GWL_STYLE) & (WS_CHILD | WS_VISIBLE), WS_CHILD | WS_VISIBLE);
  EXPECT_EQ(GetWindowLongA(recorder->hwnd, GWL_EXSTYLE) & ~WS_EX_NOPARENTNOTIFY, 0);
  EXPECT_EQ((std::vector<int32_t>{recorder->x, recorder->y, recorder->width, recorder->height}),
            (std::vector<int32_t>{10, 20, 30, 40}));
  // Nothing reaches the object before WM_NCCREATE; WM_CREATE follows.
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[0], "OnNcCreate");
  EXPECT_NE(std::find(log.begin(), log.end(), "OnCreate"), log.end());

  log.clear();
  DestroyWindow(recorder->hwnd);
  EXPECT_EQ(Tail(3), (std::vector<std::string>{"OnDestroy", "OnNcDestroy", "~Recorder"}));
}

TEST_F(WindowRoutingTest, RefusalAtNcCreateDeletesTheObjectAndFailsCreation) {
  EXPECT_EQ(Create(1, 0, 1), nullptr);
  // Deleted with its handle cleared, and nothing reaches it afterwards.
  EXPECT_EQ(log, (std::vector<std::string>{"OnNcCreate", "~Recorder"}));
  EXPECT_EQ(FindWindowExA(parent->hwnd, nullptr, kRecorderClass, nullptr), nullptr);
}

TEST_F(WindowRoutingTest, RefusalAtCreateDeletesTheObjectBeforeTheWindowIsTornDown) {
  EXPECT_EQ(Create(1, 1, 0), nullptr);
  // The WM_DESTROY and WM_NCDESTROY of the failed window find no object any more.
  EXPECT_EQ(log.back(), "~Recorder");
  EXPECT_EQ(std::count(log.begin(), log.end(), "~Recorder"), 1);
  EXPECT_EQ(std::find(log.begin(), log.end(), "OnNcDestroy"), log.end());
  EXPECT_EQ(FindWindowExA(parent->hwnd, nullptr, kRecorderClass, nullptr), nullptr);
}

TEST_F(WindowRoutingTest, RoutesEveryMessageWithItsArgumentsUnpacked) {
  Recorder* recorder = Create(1);
  ASSERT_NE(recorder, nullptr);
  struct Case {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    const char* call;
    LRESULT result;
  };
  const WORD minus5 = static_cast<WORD>(-5);  // 0xFFFB
  const WORD minus7 = static_cast<WORD>(-7);
  const WORD wheelDown = static_cast<WORD>(-120);  // 0xFF88 = 65416
  const Case cases[] = {
      {WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(300, 200), "OnSize 2 300 200", 0},
      // Sizes and positions are unsigned: 0xFFFB stays 65531.
      {WM_MOVE, 0, MAKELPARAM(minus5, 12), "OnMove 65531 12", 0},
      {WM_ERASEBKGND, 0x1234, 0, "OnEraseBackground 4660", 1},
      {WM_DRAWITEM, 3, 4, "OnDrawItem 3 4", 1},
      {WM_SETFOCUS, 0, 0, "OnSetFocus 0", 0},
      {WM_KILLFOCUS, 0, 0, "OnKillFocus 0", 0},
      {WM_SHOWWINDOW, 1, 0, "OnShowWindow 1 0", 0},
      {WM_COMMAND, 55, 0, "OnCommand 55 0", 1},
      {WM_CHAR, 'a', MAKELPARAM(3, 0x1E), "OnChar 97 3 30", 0},
      {WM_KEYDOWN, VK_DOWN, MAKELPARAM(1, 0xC150), "OnKeyDown 40 1 49488", 0},
      {WM_KEYUP, VK_DOWN, MAKELPARAM(1, 0xC150), "OnKeyUp 40 1 49488", 0},
      // Points are signed: left of and above the window during capture.
      {WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(minus5, minus7), "OnLButtonDown 5 -5 -7", 0},
      {WM_LBUTTONUP, MK_CONTROL, MAKELPARAM(6, 7), "OnLButtonUp 8 6 7", 0},
      {WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(1, 2), "OnRButtonDown 2 1 2", 0},
      {WM_RBUTTONUP, 0, MAKELPARAM(3, 4), "OnRButtonUp 0 3 4", 0},
      {WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(minus5, 300), "OnMouseMove 1 -5 300", 0},
      {WM_MOUSEHOVER, 0, MAKELPARAM(9, minus7), "OnMouseHover 0 9 -7", 0},
      {WM_MOUSELEAVE, 0, 0, "OnMouseLeave", 0},
      {WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, wheelDown), MAKELPARAM(100, 200), "OnMouseWheel 8 65416 100 200",
       0},
      {WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 300), 0, "OnHScroll 5 300 0", 0},
      {WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0, "OnVScroll 1 0 0", 0},
      {WM_CLOSE, 0, 0, "OnClose", 0},
      // Anything else reaches WindowProc unchanged, and its result comes back as is.
      {WM_USER + 7, 11, 22, "WindowProc 1031 11 22", 0x5A5A},
  };
  for (const Case& c : cases) {
    log.clear();
    EXPECT_EQ(SendMessageA(recorder->hwnd, c.message, c.wParam, c.lParam), c.result) << c.call;
    EXPECT_EQ(log, std::vector<std::string>{c.call});
  }
  // A handled WM_CLOSE leaves the window alone.
  EXPECT_TRUE(IsWindow(recorder->hwnd));
}

TEST_F(WindowRoutingTest, UnhandledMessagesGetTheDefaultProcessing) {
  Recorder* recorder = Create(0);
  ASSERT_NE(recorder, nullptr);
  HWND hwnd = recorder->hwnd;
  // WM_SETTEXT is not routed; the default processing stores the text.
  SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("echo"));
  char text[16] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  EXPECT_STREQ(text, "echo");
  // An unhandled WM_CLOSE is passed on, and the default processing destroys the window.
  log.clear();
  SendMessageA(hwnd, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(log.front(), "OnClose");
  EXPECT_EQ(Tail(3), (std::vector<std::string>{"OnDestroy", "OnNcDestroy", "~Recorder"}));
}

TEST_F(WindowRoutingTest, OnlyTheObjectBeingCreatedIsEverAttached) {
  // A window of a toolkit class made without the creation function, its creation
  // parameter pointing at an object: the object is never attached nor called.
  Recorder stranger(&log, 1);
  HWND hwnd = CreateWindowExA(0, kRecorderClass, "", WS_CHILD, 0, 0, 5, 5, parent->hwnd, nullptr, instance,
                              &stranger);
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(GetPropA(hwnd, "object"), nullptr);
  EXPECT_TRUE(log.empty());
  SendMessageA(hwnd, WM_CLOSE, 0, 0);  // default processing: destroyed
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_TRUE(log.empty());

  // A forged WM_NCCREATE to an attached window changes nothing.
  Recorder* recorder = Create(1);
  ASSERT_NE(recorder, nullptr);
  log.clear();
  CREATESTRUCTA forged{};
  forged.lpCreateParams = &stranger;
  forged.lpszName = "forged";
  SendMessageA(recorder->hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&forged));
  EXPECT_EQ(GetPropA(recorder->hwnd, "object"), static_cast<Window*>(recorder));
  EXPECT_TRUE(log.empty());
}

TEST_F(WindowRoutingTest, FailedCreationReleasesTheObject) {
  // No such class: the window procedure never sees the object, so the creation releases it.
  auto* orphan = new Recorder(&log, 1);
  EXPECT_FALSE(Window::CreateToolkitWindow(orphan, "NoSuchClass", 0, 0, 5, 5, parent->hwnd, instance));
  EXPECT_EQ(log, std::vector<std::string>{"~Recorder"});
}

TEST_F(WindowRoutingTest, ClassesAreRegisteredWithTheToolkitSettings) {
  WNDCLASSEXA info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetClassInfoExA(instance, kRecorderClass, &info));
  EXPECT_EQ(info.style, static_cast<UINT>(CS_HREDRAW | CS_VREDRAW));
  EXPECT_EQ(info.lpfnWndProc, &WindowsToolkit::ToolkitWindowProc);
  EXPECT_EQ(info.cbClsExtra, 0);
  EXPECT_EQ(info.cbWndExtra, 0);
  EXPECT_NE(info.hCursor, nullptr);
  EXPECT_EQ(reinterpret_cast<INT_PTR>(info.hbrBackground), COLOR_WINDOW + 1);
  EXPECT_FALSE(Window::RegisterWindowClass(kRecorderClass, instance));  // once per process
}

TEST(RegisteredMessages, AreTheFourNamedMessages) {
  using namespace WindowsToolkit;
  // Registering a name again yields the same identifier, so these compare the names.
  EXPECT_EQ(UWM_PC_VALUECHANGED,
            RegisterWindowMessageA("UWM_PC_VALUECHANGED-{19E51BEB-CF75-46aa-9890-B4178F0367D8}"));
  EXPECT_EQ(UWM_PC_HOVER, RegisterWindowMessageA("UWM_PC_HOVER-{19E51BEB-CF75-46aa-9890-B4178F0367D8}"));
  EXPECT_EQ(UWM_PC_LEAVE, RegisterWindowMessageA("UWM_PC_LEAVE-{19E51BEB-CF75-46aa-9890-B4178F0367D8}"));
  EXPECT_EQ(UWM_PC_RIGHTCLICKED,
            RegisterWindowMessageA("UWM_PC_RIGHTCLICKED-{19E51BEB-CF75-46aa-9890-B4178F0367D8}"));
  // Registered identifiers live in 0xC000..0xFFFF.
  for (UINT id : {UWM_PC_VALUECHANGED, UWM_PC_HOVER, UWM_PC_LEAVE, UWM_PC_RIGHTCLICKED})
    EXPECT_GE(id, 0xC000u);
}

}  // namespace
}  // namespace QuorvelTest
