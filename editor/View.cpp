#include "editor/View.h"

#include "host/Controller.h"
#include "toolkit/ParameterControl.h"
#include "toolkit/RegisteredMessages.h"

namespace VstToolkit {

using WindowsToolkit::ParameterControl;

int View::OnLButtonDown(WPARAM, POINT point) {
  RECT title{};
  GetTitleRect(title);
  const bool inTitle =
      point.x >= title.left && point.x < title.right && point.y >= title.top && point.y < title.bottom;
  if (!inTitle || controller == nullptr) return 0;
  controller->OnViewTitleClicked(point.x, point.y);
  return 1;
}

int View::OnDestroy() {
  // Normally the editor detaches the view before destroying it. A host that destroys
  // its own window first takes the view with it: the Controller must not keep it.
  if (controller != nullptr) {
    Controller* detaching = controller;
    controller = nullptr;
    detaching->SetView(nullptr);
  }
  // The controls' windows are destroyed right after this one's WM_DESTROY.
  parameterControls.clear();
  return 0;
}

LRESULT View::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  using namespace WindowsToolkit;
  const bool isNotification = message == UWM_PC_VALUECHANGED || message == UWM_PC_HOVER ||
                              message == UWM_PC_LEAVE || message == UWM_PC_RIGHTCLICKED;
  if (controller == nullptr || !isNotification) return Window::WindowProc(message, wParam, lParam);
  ParameterControl* control = PostingControl(wParam, lParam);
  if (control == nullptr) return 0;
  if (message == UWM_PC_VALUECHANGED) {
    controller->OnViewParameterValueChanged(control->parameterIndex, control->GetValue());
  } else if (message == UWM_PC_HOVER) {
    controller->OnParameterControlMouseHover(control->parameterIndex);
  } else if (message == UWM_PC_LEAVE) {
    controller->OnParameterControlMouseLeave();
  } else {
    // Runs the menu's modal loop; the view may be gone when it returns.
    controller->OnParameterControlRightClicked(control->parameterIndex, control->hwnd);
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

void* View::GetWindowHandle() const {
  return hwnd;
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
