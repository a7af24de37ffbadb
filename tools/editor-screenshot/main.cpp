// The delay's editor view, made by the editor's own creation function from this
// program's copy of the artwork, in a top-level window, with a few values set so that
// the picture shows the controls at work. No controller is attached: the view then
// keeps its notifications to itself, which is all a picture needs.
//
// Usage: quorvel-editor-screenshot [--exit-after <milliseconds>] [--about]
// Prints the screen rectangle of the view ("view x y width height") once shown;
// --about also runs the view's About box and prints its client area
// ("about x y width height").
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "delay/DelayParameterTable.h"
#include "editor/QuorvelDelayView.h"
#include "editor/WindowClasses.h"
#include "toolkit/Gdiplus.h"

namespace {

const char kFrameClass[] = "QuorvelEditorScreenshotFrame";
constexpr UINT_PTR kExitTimer = 1;
constexpr UINT kAboutPollMilliseconds = 100;

// The About box runs modally inside the view; the exit timer ends it first.
HWND aboutBox = nullptr;

LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == kExitTimer) {
    KillTimer(hwnd, kExitTimer);
    if (aboutBox != nullptr) EndDialog(aboutBox, IDCANCEL);
    // Closed once the About box's loop has returned out of the view.
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
    return 0;
  }
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool RegisterFrameClass(HINSTANCE instance) {
  WNDCLASSEXA frameClass{};
  frameClass.cbSize = sizeof frameClass;
  frameClass.lpfnWndProc = FrameProc;
  frameClass.hInstance = instance;
  frameClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  frameClass.lpszClassName = kFrameClass;
  return RegisterClassExA(&frameClass) != 0;
}

void PrintClientArea(const char* name, HWND hwnd) {
  RECT client{};
  GetClientRect(hwnd, &client);
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  std::printf("%s %ld %ld %ld %ld\n", name, origin.x, origin.y, client.right, client.bottom);
  std::fflush(stdout);
}

// Beside the editor, so that one screen holds both.
// The thread's one dialog is the About box, once it is up.
BOOL CALLBACK FindDialog(HWND hwnd, LPARAM found) {
  char name[16] = {};
  GetClassNameA(hwnd, name, sizeof name);
  if (std::strcmp(name, "#32770") != 0 || !IsWindowVisible(hwnd)) return TRUE;
  *reinterpret_cast<HWND*>(found) = hwnd;
  return FALSE;
}

void CALLBACK PlaceAboutBox(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND box = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&box));
  if (box == nullptr) return;
  KillTimer(nullptr, timer);
  aboutBox = box;
  SetWindowPos(box, nullptr, 600, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  UpdateWindow(box);
  PrintClientArea("about", box);
}

// A musical setting: a dotted feel with some feedback, the filter on. Sync is shown as
// programs start, off: the view creates its switch at the Ctrl+click value, on.
void SetValues(QuorvelDelayView& view) {
  const struct {
    int32_t index;
    float value;
  } settings[] = {{DelayParameter::kSync, kDelayParameterRows[DelayParameter::kSync].info.defaultValue},
                  {DelayParameter::kLeftDelay, 0.62f},
                  {DelayParameter::kRightDelay, 0.45f},
                  {DelayParameter::kFeedback, 0.55f},
                  {DelayParameter::kFilter, 1.0f},
                  {DelayParameter::kCutoff, 0.4f},
                  {DelayParameter::kPan, 1.0f},
                  {DelayParameter::kMix, 0.4f}};
  for (const auto& setting : settings) view.SetParameterControlValue(setting.index, setting.value);
}

}  // namespace

int main(int argc, char** argv) {
  UINT exitAfter = 0;
  bool about = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--exit-after") == 0 && i + 1 < argc) {
      exitAfter = static_cast<UINT>(std::strtoul(argv[++i], nullptr, 10));
    } else if (std::strcmp(argv[i], "--about") == 0) {
      about = true;
    }
  }
  HINSTANCE instance = GetModuleHandleA(nullptr);
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartupInput input;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return 1;
  int code = 1;
  if (VstToolkit::RegisterWindowClasses(instance) && RegisterFrameClass(instance)) {
    RECT outer{0, 0, QuorvelDelayView::kWidth, QuorvelDelayView::kHeight};
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    AdjustWindowRect(&outer, style, FALSE);
    HWND frame = CreateWindowExA(0, kFrameClass, "Quorvel Delay", style, 40, 40, outer.right - outer.left,
                                 outer.bottom - outer.top, nullptr, nullptr, instance, nullptr);
    // Owned by its window, which goes with the frame.
    QuorvelDelayView* view = frame != nullptr ? QuorvelDelayView::Create(frame, instance) : nullptr;
    if (view != nullptr) {
      SetValues(*view);
      ShowWindow(frame, SW_SHOWNORMAL);
      UpdateWindow(frame);
      PrintClientArea("view", view->hwnd);
      if (exitAfter != 0) SetTimer(frame, kExitTimer, exitAfter, nullptr);
      if (about) {
        SetTimer(nullptr, 0, kAboutPollMilliseconds, PlaceAboutBox);
        view->ShowAboutDialog();
        aboutBox = nullptr;
      }
      MSG message;
      while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
      }
      code = 0;
    }
  }
  Gdiplus::GdiplusShutdown(token);
  return code;
}
