#include "editor/win32/View.h"

#include "editor/ControlNotifications.h"
#include "editor/win32/Win32NativeWindow.h"
#include "instance/InstanceCore.h"
#include "toolkit/win32/ParameterControl.h"
#include "toolkit/win32/RegisteredMessages.h"
#include "toolkit/win32/WindowDpi.h"
#include "toolkit/core/Area.h"

namespace VstToolkit {

namespace {
// Sent to top-level windows with their new DPI, and to child windows after their parent's.
constexpr UINT kDpiChanged = 0x02E0;             // WM_DPICHANGED
constexpr UINT kDpiChangedAfterParent = 0x02E3;  // WM_DPICHANGED_AFTERPARENT
constexpr int32_t kLargestDpi = 9600;
// How often the view shows what other threads changed: about 30 times a second.
constexpr UINT_PTR kRefreshTimer = 1;
constexpr UINT kRefreshMilliseconds = 33;
}  // namespace

using WindowsToolkit::ParameterControl;

int View::OnLButtonDown(WPARAM, POINT point) {
  RECT title{};
  GetTitleRect(title);
  const bool inTitle = ToolkitCore::Area{title.left, title.top, title.right, title.bottom}.Contains(point.x, point.y);
  if (!inTitle || core == nullptr) return 0;
  core->OnViewTitleClicked(point.x, point.y);
  return 1;
}

int View::OnDestroy() {
  // Normally the editor detaches the view before destroying it. A host that destroys
  // its own window first takes the view with it: the core must not keep it.
  if (core != nullptr) {
    InstanceCore* detaching = core;
    core = nullptr;
    detaching->SetView(nullptr);
  }
  if (closeListener != nullptr) {
    CloseListener* listener = closeListener;
    closeListener = nullptr;
    listener->OnViewDestroyed();
  }
  // The controls' windows are destroyed right after this one's WM_DESTROY.
  parameterControls.clear();
  return 0;
}

void View::StartRefreshTimer() {
  SetTimer(hwnd, kRefreshTimer, kRefreshMilliseconds, nullptr);
}

LRESULT View::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  using namespace WindowsToolkit;
  using ToolkitCore::Notification;
  if (message == kDpiChanged || message == kDpiChangedAfterParent) {
    // The message's DPI (the same on both axes) for a top-level view, the window's own
    // for a child; a number no screen has is measured again instead.
    auto dpi = static_cast<int32_t>(LOWORD(wParam));
    if (message == kDpiChangedAfterParent || dpi <= 0 || dpi > kLargestDpi) dpi = WindowDpi(hwnd);
    // The listener may destroy this view: nothing of it is touched afterwards.
    DpiListener* listener = dpiListener;
    if (listener != nullptr) listener->OnViewDpiChanged(dpi);
    return 0;
  }
  if (message == WM_TIMER && wParam == kRefreshTimer) {
    if (core != nullptr) {
      core->ApplyViewChanges();
      core->OnEditorTick();
    }
    return 0;
  }
  Notification notification;
  if (!IsNotification(message, notification)) return Window::WindowProc(message, wParam, lParam);
  if (core == nullptr) return Window::WindowProc(message, wParam, lParam);
  ParameterControl* control = PostingControl(wParam, lParam);
  if (control != nullptr) {
    DeliverControlNotification(*core, notification, control->parameterIndex, control->GetValue(),
                               HandleOf(control->hwnd));
  }
  return 0;
}

void View::SetStatusText(const char*) {}

void View::GetTitleRect(RECT& rect) {
  rect = RECT{0, 0, 0, 0};
}

void View::ShowAboutDialog() {}

bool View::HasParameterControl(int32_t index) const {
  return GetParameterControl(index) != nullptr;
}

void View::SetParameterControlValue(int32_t index, float value) {
  ParameterControl* control = GetParameterControl(index);
  if (control != nullptr) control->SetValue(value, false);
}

NativeWindow View::GetWindowHandle() const {
  return HandleOf(hwnd);
}

void View::AddParameterControl(ParameterControl* control) {
  if (control != nullptr) parameterControls[control->parameterIndex] = control;
}

ParameterControl* View::GetParameterControl(int32_t index) const {
  const auto found = parameterControls.find(index);
  return found != parameterControls.end() ? found->second : nullptr;
}

ParameterControl* View::PostingControl(WPARAM wParam, LPARAM lParam) const {
  if (wParam > static_cast<WPARAM>(INT32_MAX)) return nullptr;
  ParameterControl* control = GetParameterControl(static_cast<int32_t>(wParam));
  return control != nullptr && reinterpret_cast<LPARAM>(control) == lParam ? control : nullptr;
}

}  // namespace VstToolkit
