#include "toolkit/ParameterControl.h"

#include <algorithm>
#include <cstdint>

#include "toolkit/FrameStrip.h"
#include "toolkit/RegisteredMessages.h"

namespace WindowsToolkit {

namespace {
constexpr DWORD kHoverMilliseconds = 200;
}

ParameterControl::ParameterControl(const ResourceImage* background_, int32_t parameterIndex_,
                                   float defaultValue_, const FrameStrip* strip_)
    : Control(background_), parameterIndex(parameterIndex_), defaultValue(defaultValue_), strip(strip_) {}

int ParameterControl::OnCreate(CREATESTRUCTA*) {
  mouseTracking.cbSize = sizeof mouseTracking;
  mouseTracking.dwFlags = TME_HOVER | TME_LEAVE;
  mouseTracking.hwndTrack = hwnd;
  mouseTracking.dwHoverTime = kHoverMilliseconds;
  return 1;
}

int ParameterControl::OnEraseBackground(HDC) {
  return 1;
}

int ParameterControl::OnLButtonUp(WPARAM, POINT) {
  ReleaseCapture();
  return 1;
}

int ParameterControl::OnRButtonDown(WPARAM, POINT) {
  Notify(UWM_PC_RIGHTCLICKED);
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

void ParameterControl::Draw(Gdiplus::Graphics& graphics) {
  if (strip != nullptr) strip->DrawFrame(graphics, GetPosition());
}

int32_t ParameterControl::GetPosition() const {
  return position;
}

int ParameterControl::SetPosition(int32_t index, bool notify) {
  position = ClampPosition(index);
  Invalidate();
  if (notify) Notify(UWM_PC_VALUECHANGED);
  return 1;
}

int32_t ParameterControl::GetMaximumPosition() {
  return FrameCount() - 1;
}

int32_t ParameterControl::GetMinimumPosition() {
  return 0;
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

int32_t ParameterControl::FrameCount() const {
  if (strip == nullptr) return 0;
  return static_cast<int32_t>(std::min<uint32_t>(strip->GetFrameCount(), INT32_MAX));
}

int32_t ParameterControl::ClampPosition(int32_t index) const {
  return std::clamp(index, 0, std::max(FrameCount() - 1, 0));
}

float ParameterControl::ClampUnit(float value) {
  if (!(value >= 0.0f)) return 0.0f;  // also NaN
  return value > 1.0f ? 1.0f : value;
}

}  // namespace WindowsToolkit
