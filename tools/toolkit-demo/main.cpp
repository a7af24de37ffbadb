// The toolkit's demo: the editor's artwork and every kind of control, laid out as
// the plug-in's editor lays them out, in a window of its own. The status line
// follows the controls' notifications the way the plug-in's would.
//
// Usage: quorvel-toolkit-demo [--exit-after <milliseconds>] [--about]
// Prints the screen rectangle of the editor's area ("view x y width height") once
// shown; --about also opens the About dialog beside it and prints its client area
// ("about x y width height").
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "toolkit/FrameStrip.h"
#include "toolkit/IncrementButton.h"
#include "toolkit/Knob.h"
#include "toolkit/Multiswitch.h"
#include "toolkit/RegisteredMessages.h"
#include "toolkit/ResourceImage.h"
#include "toolkit/StatusControl.h"
#include "toolkit/Window.h"

namespace {

using namespace WindowsToolkit;

const char kViewClass[] = "QuorvelToolkitDemoView";
const char kFrameClass[] = "QuorvelToolkitDemoFrame";
constexpr int kWidth = 496;
constexpr int kHeight = 344;

enum class Kind { Knob, Switch, Selector };

struct Placement {
  Kind kind;
  int32_t parameter;
  int x;
  int y;
  float value;  // a lively setting for the picture, not the plug-in's default
};

// The editor's layout, in its creation order.
const Placement kLayout[] = {
    {Kind::Switch, 0, 343, 229, 1.0f},   {Kind::Knob, 1, 65, 139, 0.75f},
    {Kind::Switch, 3, 79, 229, 1.0f},    {Kind::Knob, 2, 123, 139, 0.5f},
    {Kind::Selector, 4, 144, 221, 0.5f}, {Kind::Selector, 5, 144, 256, 0.75f},
    {Kind::Knob, 6, 179, 139, 0.45f},    {Kind::Switch, 7, 343, 109, 1.0f},
    {Kind::Knob, 8, 390, 139, 0.6f},     {Kind::Switch, 9, 343, 148, 0.0f},
    {Kind::Switch, 10, 266, 125, 1.0f},  {Kind::Knob, 11, 390, 241, 0.5f},
};

class DemoView final : public Window {
 public:
  DemoView() = default;

  void Populate(HINSTANCE instance) {
    ParameterControl* selectors[2] = {};
    for (const Placement& p : kLayout) {
      ParameterControl* control = nullptr;
      if (p.kind == Kind::Knob) {
        control = CreateKnob(&background, p.parameter, p.value, &knobStrip, p.x, p.y, hwnd, instance);
      } else {
        const FrameStrip* strip = p.kind == Kind::Switch ? &switchStrip : &selectorStrip;
        control = CreateMultiswitch(&background, p.parameter, p.value, strip, p.x, p.y, hwnd, instance);
      }
      if (p.kind == Kind::Selector && control != nullptr) selectors[p.parameter - 4] = control;
    }
    for (int i = 0; i < 2; ++i) {
      IncrementButton* button =
          CreateIncrementButton(&background, &buttonStrip, i == 0 ? 227 : 262, hwnd, instance);
      if (button != nullptr) button->target = selectors[i];
    }
    status = CreateStatusControl(&background, hwnd, instance);
    // Shown once the controls' creation reports (already queued) have been handled.
    PostMessageA(hwnd, WM_APP, 0, 0);
  }

  bool LoadImages(HINSTANCE instance) {
    return background.LoadFromResource(113, instance) && knobImage.LoadFromResource(114, instance) &&
           switchImage.LoadFromResource(115, instance) && selectorImage.LoadFromResource(117, instance) &&
           buttonImage.LoadFromResource(116, instance);
  }

  int OnPaint(HDC hdc) override {
    Gdiplus::Graphics graphics(hdc);
    if (background.GetBitmap() != nullptr) graphics.DrawImage(background.GetBitmap(), 0, 0);
    return 1;
  }

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_APP && status != nullptr) status->SetText("Feedback Level: 0.20");
    if (message != UWM_PC_VALUECHANGED && message != UWM_PC_HOVER && message != UWM_PC_RIGHTCLICKED) {
      return Window::WindowProc(message, wParam, lParam);
    }
    // The control is read now, when the message is handled, not when it was posted.
    auto* control = reinterpret_cast<ParameterControl*>(lParam);
    char text[64];
    if (message == UWM_PC_RIGHTCLICKED) {
      std::snprintf(text, sizeof text, "MIDI Learn: parameter %d", static_cast<int>(control->parameterIndex));
    } else {
      std::snprintf(text, sizeof text, "Parameter %d: %.2f", static_cast<int>(control->parameterIndex),
                    static_cast<double>(control->GetValue()));
    }
    if (status != nullptr) status->SetText(text);
    return 0;
  }

 private:
  ResourceImage background;
  ResourceImage knobImage;
  ResourceImage switchImage;
  ResourceImage selectorImage;
  ResourceImage buttonImage;
  FrameStrip knobStrip{&knobImage, 91, true};
  FrameStrip switchStrip{&switchImage, 2, true};
  FrameStrip selectorStrip{&selectorImage, 5, false};
  FrameStrip buttonStrip{&buttonImage, 2, true};
  StatusControl* status = nullptr;
};

LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  if (message == WM_TIMER) DestroyWindow(hwnd);
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool RegisterClasses(HINSTANCE instance) {
  for (const char* name : {kViewClass, Knob::kClassName, Multiswitch::kClassName, IncrementButton::kClassName,
                           StatusControl::kClassName}) {
    if (!Window::RegisterWindowClass(name, instance)) return false;
  }
  WNDCLASSEXA frame{};
  frame.cbSize = sizeof frame;
  frame.lpfnWndProc = FrameProc;
  frame.hInstance = instance;
  frame.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  frame.lpszClassName = kFrameClass;
  return RegisterClassExA(&frame) != 0;
}

void PrintClientArea(const char* name, HWND hwnd) {
  RECT client{};
  GetClientRect(hwnd, &client);
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  std::printf("%s %ld %ld %ld %ld\n", name, origin.x, origin.y, client.right, client.bottom);
  std::fflush(stdout);
}

// Shows the dialog from the module's template; the plug-in's editor runs it modally.
void ShowAbout(HWND owner, HINSTANCE instance) {
  HWND about = CreateDialogParamA(instance, "AboutDialog", owner,
                                  [](HWND, UINT message, WPARAM, LPARAM) -> INT_PTR {
                                    return message == WM_INITDIALOG ? TRUE : FALSE;
                                  },
                                  0);
  if (about == nullptr) return;
  SetWindowPos(about, nullptr, 600, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ShowWindow(about, SW_SHOWNORMAL);
  UpdateWindow(about);
  PrintClientArea("about", about);
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
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok || !RegisterClasses(instance)) return 1;

  int code = 1;
  {
    // The view is deleted with its window, after its controls, so its images outlive them.
    RECT outer{0, 0, kWidth, kHeight};
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    AdjustWindowRect(&outer, style, FALSE);
    HWND frame = CreateWindowExA(0, kFrameClass, "Quorvel Delay", style, 40, 40, outer.right - outer.left,
                                 outer.bottom - outer.top, nullptr, nullptr, instance, nullptr);
    auto* view = frame != nullptr ? new DemoView : nullptr;
    if (view != nullptr &&
        Window::CreateToolkitWindow(view, kViewClass, 0, 0, kWidth, kHeight, frame, instance)) {
      if (!view->LoadImages(instance)) std::fprintf(stderr, "an image of the editor is missing\n");
      view->Populate(instance);
      ShowWindow(frame, SW_SHOWNORMAL);
      UpdateWindow(frame);
      PrintClientArea("view", view->hwnd);
      if (about) ShowAbout(frame, instance);
      if (exitAfter != 0) SetTimer(frame, 1, exitAfter, nullptr);
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
