// Opening and closing the editor in every order hosts use, and what must survive it.
#include <algorithm>
#include <string>

#include "tests/editor/EditorFixture.h"

namespace QuorvelTest {
namespace {

constexpr const char* kClassNames[] = {
    "QuorvelDelayWindowClass", "QuorvelWindowsToolkitKnob", "QuorvelWindowsToolkitMultiswitch",
    "QuorvelWindowsToolkitIncrementButton", "QuorvelWindowsToolkitStatusControl"};

int CountLines(const TraceRecorder& traces, const char* line) {
  return static_cast<int>(std::count(traces.lines.begin(), traces.lines.end(), line));
}

// Every window of this thread, children included.
int WindowsOfThisThread() {
  int count = 0;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM total) -> BOOL {
        ++*reinterpret_cast<int*>(total);
        EnumChildWindows(
            window, [](HWND, LPARAM inner) -> BOOL { return ++*reinterpret_cast<int*>(inner), TRUE; }, total);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return count;
}

// The process's GDI or USER object count. Where GetGuiResources is not implemented
// (Wine), the count comes from the handle tables instead: both hand out the lowest
// free slots first and then new ones, so after taking more handles than there are
// free slots, the highest slot index taken minus the number taken is the number of
// live objects (plus a constant that cancels out in a comparison).
long GuiObjects(DWORD kind) {
  const DWORD reported = GetGuiResources(GetCurrentProcess(), kind);
  if (reported != 0) return static_cast<long>(reported);
  constexpr int kProbes = 4096;
  std::vector<HANDLE> probes;
  long highest = 0;
  for (int i = 0; i < kProbes; ++i) {
    HANDLE probe = kind == GR_GDIOBJECTS ? static_cast<HANDLE>(CreateRectRgn(0, 0, 1, 1))
                                         : static_cast<HANDLE>(CreatePopupMenu());
    probes.push_back(probe);
    highest = std::max(highest, static_cast<long>(reinterpret_cast<uintptr_t>(probe) & 0xFFFF));
  }
  for (HANDLE probe : probes) {
    if (kind == GR_GDIOBJECTS) {
      DeleteObject(probe);
    } else {
      DestroyMenu(static_cast<HMENU>(probe));
    }
  }
  return highest - kProbes;
}

using EditorLifecycle = EditorTest;

TEST_F(EditorLifecycle, OpeningAttachesTheViewAndClosingDetachesItBeforeItGoes) {
  TraceRecorder traces;
  ASSERT_TRUE(OpenEditor());
  EXPECT_EQ(CountLines(traces, "Controller::SetView\r\n"), 1);
  EXPECT_NE(View(), nullptr);
  Dispatch(effEditClose);
  EXPECT_EQ(CountLines(traces, "Controller::SetView\r\n"), 2);
  EXPECT_EQ(GetWindow(parent, GW_CHILD), nullptr);
  // Closing a closed editor does nothing more.
  Dispatch(effEditClose);
  EXPECT_EQ(CountLines(traces, "Controller::SetView\r\n"), 2);
}

TEST_F(EditorLifecycle, AfterCloseProcessingAndHostChangesStillWorkAndTheInstanceEnds) {
  ASSERT_TRUE(OpenEditor());
  ModalScript learn({ModalScript::ChooseMenuItem(1)});
  RightClick(6);
  ASSERT_TRUE(learn.Finished());
  Dispatch(effEditClose);
  Pump();

  // MIDI learning completes, and a learned controller still tells the host.
  ProcessControlChange(30, 1);
  host.calls.clear();
  ProcessControlChange(30, 127);
  SetParameter(1, 0.3f);
  EXPECT_FLOAT_EQ(GetParameter(6), 1.0f);
  ASSERT_EQ(Automations().size(), 1u);
  EXPECT_EQ(Automations()[0].index, 6);
  CloseInstance();
  EXPECT_EQ(GetWindow(parent, GW_CHILD), nullptr);
}

TEST_F(EditorLifecycle, ClosingTheInstanceWithTheEditorOpenTakesItsWindowsAlong) {
  ASSERT_TRUE(OpenEditor());
  const int withEditor = WindowsOfThisThread();
  TraceRecorder traces;
  CloseInstance();
  EXPECT_EQ(GetWindow(parent, GW_CHILD), nullptr);
  EXPECT_EQ(WindowsOfThisThread(), withEditor - 16);  // the view and its fifteen controls
  EXPECT_EQ(CountLines(traces, "Controller::SetView\r\n"), 1);
}

TEST_F(EditorLifecycle, OpeningTwiceLeavesOneViewAndTheFirstIsGone) {
  ASSERT_TRUE(OpenEditor());
  HWND first = View();
  ASSERT_TRUE(OpenEditor());
  EXPECT_FALSE(IsWindow(first));
  HWND second = View();
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(FindWindowExA(parent, second, "QuorvelDelayWindowClass", nullptr), nullptr);
  // The second view is the one attached: a host change reaches it.
  SetParameter(6, 0.6f);
  EXPECT_NEAR(ControlValue(6), 0.6f, 1e-6f);
  // So is the editor open: the host can ask and close it.
  EXPECT_EQ(Dispatch(effEditClose), 0);
  EXPECT_EQ(View(), nullptr);
}

TEST_F(EditorLifecycle, TwoHundredOpensAndClosesLeaveNoWindowAndNoGuiObjectBehind) {
  for (int i = 0; i < 3; ++i) {  // first-use caches of GDI+ and of the system
    ASSERT_TRUE(OpenEditor());
    Dispatch(effEditClose);
  }
  Pump();
  const int windows = WindowsOfThisThread();
  const long gdi = GuiObjects(GR_GDIOBJECTS);
  const long user = GuiObjects(GR_USEROBJECTS);
  for (int i = 0; i < 200; ++i) {
    ASSERT_TRUE(OpenEditor());
    Dispatch(effEditClose);
  }
  Pump();
  EXPECT_EQ(WindowsOfThisThread(), windows);
  // One object lost per cycle would show as 200 more (checked with a deliberate leak).
  EXPECT_LE(GuiObjects(GR_GDIOBJECTS) - gdi, 10);
  EXPECT_LE(GuiObjects(GR_USEROBJECTS) - user, 10);
}

TEST_F(EditorLifecycle, AHostThatDestroysItsWindowFirstLeavesNothingDangling) {
  ASSERT_TRUE(OpenEditor());
  DestroyWindow(parent);
  parent = nullptr;
  Pump();
  SetParameter(1, 0.4f);
  ProcessControlChange(7, 100);
  EXPECT_FLOAT_EQ(GetParameter(1), 0.4f);
  Dispatch(effEditClose);
  Dispatch(effEditClose);
  CloseInstance();
}

TEST_F(EditorLifecycle, ControlsWhoseWindowsCannotBeMadeAreLeftOutSafely) {
  // Take the knob class away from the module for this open.
  HMODULE module = GetModuleHandleA("QuorvelDelay.dll");
  ASSERT_NE(module, nullptr);
  WNDCLASSEXA knobClass{};
  knobClass.cbSize = sizeof knobClass;
  ASSERT_TRUE(GetClassInfoExA(module, kClassNames[1], &knobClass));
  ASSERT_TRUE(UnregisterClassA(kClassNames[1], module));
  const bool opened = OpenEditor();
  knobClass.lpszClassName = kClassNames[1];
  const bool restored = RegisterClassExA(&knobClass) != 0;
  ASSERT_TRUE(opened);
  ASSERT_TRUE(restored);

  EXPECT_EQ(ChildrenOfClass(kClassNames[1]).size(), 0u);
  EXPECT_EQ(ChildrenOfClass(kClassNames[2]).size(), 7u);
  SetParameter(1, 0.5f);  // a parameter without a control
  EXPECT_EQ(StatusText(), "Left Delay: 0.25 Secs");
  Dispatch(effSetProgram, 0, 3);
  EXPECT_FLOAT_EQ(ControlValue(0), GetParameter(0));
  Dispatch(effEditClose);
}

TEST_F(EditorLifecycle, ANotificationIsTrustedOnlyFromTheControlOfItsIndex) {
  ASSERT_TRUE(OpenEditor());
  host.calls.clear();
  const UINT valueChanged =
      RegisterWindowMessageA("UWM_PC_VALUECHANGED-{19E51BEB-CF75-46aa-9890-B4178F0367D8}");
  const UINT rightClicked =
      RegisterWindowMessageA("UWM_PC_RIGHTCLICKED-{19E51BEB-CF75-46aa-9890-B4178F0367D8}");
  const auto knob = reinterpret_cast<LPARAM>(ControlObject(ControlOf(1)));
  PostMessageA(View(), valueChanged, 1, 0x1234);         // not a control at all
  PostMessageA(View(), valueChanged, 2, knob);           // another parameter's control
  PostMessageA(View(), valueChanged, ~WPARAM{0}, knob);  // no such index
  PostMessageA(View(), rightClicked, 40, 0);
  Pump();
  EXPECT_TRUE(Automations().empty());
  PostMessageA(View(), valueChanged, 1, knob);
  Pump();
  EXPECT_EQ(Automations().size(), 1u);
}

TEST(EditorModule, LoadingRegistersTheFiveClassesAndUnloadingRemovesThem) {
  // A copy under another name is a module of its own, loaded and unloaded here.
  char directory[MAX_PATH] = {}, copy[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, directory);
  GetTempFileNameA(directory, "qdl", 0, copy);
  ASSERT_TRUE(CopyFileA(QUORVEL_MODULE_PATH, copy, FALSE));
  TraceRecorder traces;
  HMODULE module = LoadLibraryA(copy);
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(traces.lines, std::vector<std::string>{"ProcessAttach\r\n"});
  WNDCLASSEXA info{};
  info.cbSize = sizeof info;
  for (const char* name : kClassNames) {
    ASSERT_TRUE(GetClassInfoExA(module, name, &info)) << name;
    EXPECT_EQ(info.style, static_cast<UINT>(CS_HREDRAW | CS_VREDRAW));
    EXPECT_EQ(info.hbrBackground, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    EXPECT_EQ(info.hCursor, LoadCursorA(nullptr, IDC_ARROW));
  }
  FreeLibrary(module);
  EXPECT_EQ(traces.lines, (std::vector<std::string>{"ProcessAttach\r\n", "ProcessDetach\r\n"}));
  for (const char* name : kClassNames) EXPECT_FALSE(GetClassInfoExA(module, name, &info)) << name;
  DeleteFileA(copy);
}

}  // namespace
}  // namespace QuorvelTest
