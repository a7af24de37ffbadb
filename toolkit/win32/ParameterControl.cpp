#include "toolkit/win32/ParameterControl.h"

#include <cstdint>
#include <utility>

#include "toolkit/win32/FrameStrip.h"
#include "toolkit/win32/RegisteredMessages.h"
#include "toolkit/core/Geometry.h"

namespace WindowsToolkit {

ParameterControl::ParameterControl(const ResourceImage* background_, int32_t parameterIndex_,
                                   const FrameStrip* strip_, std::unique_ptr<ToolkitCore::ParameterLogic> logic_)
    : Control(background_),
      parameterIndex(parameterIndex_),
      defaultValue(logic_->defaultValue),
      strip(strip_),
      logic(std::move(logic_)) {}

int ParameterControl::OnCreate(CREATESTRUCTA*) {
  mouseTracking.cbSize = sizeof mouseTracking;
  mouseTracking.dwFlags = TME_HOVER | TME_LEAVE;
  mouseTracking.hwndTrack = hwnd;
  mouseTracking.dwHoverTime = static_cast<DWORD>(ToolkitCore::kHoverMilliseconds);
  return 1;
}

int ParameterControl::OnEraseBackground(HDC) {
  return 1;
}

int ParameterControl::OnLButtonDown(WPARAM keys, POINT point) {
  const ToolkitCore::Modifiers modifiers{(keys & MK_CONTROL) != 0, (keys & MK_SHIFT) != 0};
  Apply(logic->Press(modifiers, point.x, point.y));
  SetCapture(hwnd);
  return 1;
}

int ParameterControl::OnLButtonUp(WPARAM, POINT) {
  // Also without the capture: the gesture ends here, and the capture's loss finds it ended.
  Apply(logic->Release());
  ReleaseCapture();
  return 1;
}

int ParameterControl::OnRButtonDown(WPARAM, POINT) {
  Notify(UWM_PC_RIGHTCLICKED);
  return 1;
}

int ParameterControl::OnMouseMove(WPARAM keys, POINT point) {
  if (!IsDragging(keys)) {
    TrackMouse();
    return 1;
  }
  const ToolkitCore::Modifiers modifiers{(keys & MK_CONTROL) != 0, (keys & MK_SHIFT) != 0};
  Apply(logic->Drag(modifiers, point.x, point.y));
  return 1;
}

int ParameterControl::OnMouseHover(WPARAM, POINT) {
  Notify(UWM_PC_HOVER);
  return 1;
}

int ParameterControl::OnMouseLeave() {
  Notify(UWM_PC_LEAVE);
  return 1;
}

int ParameterControl::OnCaptureChanged(HWND gaining) {
  if (gaining != hwnd) Apply(logic->Release());
  return 1;
}

void ParameterControl::Draw(Gdiplus::Graphics& graphics) {
  if (strip != nullptr) strip->DrawFrame(graphics, GetPosition());
}

float ParameterControl::GetValue() const {
  return logic->GetValue();
}

int ParameterControl::SetValue(float value, bool notify) {
  Apply(logic->SetValue(value, notify));
  return 1;
}

int32_t ParameterControl::GetPosition() const {
  return logic->GetPosition();
}

int ParameterControl::SetPosition(int32_t index, bool notify) {
  Apply(logic->SetPosition(index, notify));
  return 1;
}

int32_t ParameterControl::GetMaximumPosition() const {
  return logic->GetMaximumPosition();
}

int32_t ParameterControl::GetMinimumPosition() const {
  return logic->GetMinimumPosition();
}

void ParameterControl::Step() {
  Apply(logic->Step());
}

bool ParameterControl::CreateParameterWindow(ParameterControl* control, const char* className, int left,
                                             int top, HWND parent, HINSTANCE instance) {
  if (!CreateControlWindow(control, className, control->strip, left, top, parent, instance)) return false;
  control->SetValue(control->defaultValue, true);
  return true;
}

void ParameterControl::Notify(UINT message) const {
  // Without a window there is no parent, and a null target would post to the
  // thread's own queue instead.
  HWND parent = hwnd != nullptr ? GetParent(hwnd) : nullptr;
  if (parent == nullptr) return;
  PostMessageA(parent, message, static_cast<WPARAM>(static_cast<intptr_t>(parameterIndex)),
               reinterpret_cast<LPARAM>(this));
}

void ParameterControl::TrackMouse() {
  if (mouseTracking.hwndTrack != nullptr) TrackMouseEvent(&mouseTracking);
}

bool ParameterControl::IsDragging(WPARAM keys) const {
  return (keys & MK_LBUTTON) != 0 && GetCapture() == hwnd;
}

void ParameterControl::Apply(ToolkitCore::Outcome outcome) {
  outcome.Report([this](ToolkitCore::Notification notification) { Notify(MessageOf(notification)); });
  if (outcome.repaint) Invalidate();
}

}  // namespace WindowsToolkit
