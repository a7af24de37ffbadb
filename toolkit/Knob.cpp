#include "toolkit/Knob.h"

#include "toolkit/FrameStrip.h"
#include "toolkit/RegisteredMessages.h"

namespace WindowsToolkit {

namespace {
constexpr float kScale = 100.0f;  // value units per normalised unit, and per pixel of travel
constexpr float kFineDrag = 0.1f;
}  // namespace

int Knob::OnLButtonDown(WPARAM keys, POINT point) {
  if ((keys & MK_CONTROL) != 0) SetValue(defaultValue, true);
  SetCapture(hwnd);
  lastY = point.y;
  return 1;
}

int Knob::OnMouseMove(WPARAM keys, POINT point) {
  if (!IsDragging(keys)) {
    TrackMouse();
    return 1;
  }
  float delta = static_cast<float>(lastY - point.y);
  if ((keys & MK_SHIFT) != 0) delta = delta * kFineDrag;
  value = value + delta;
  if (!(value >= 0.0f)) value = 0.0f;
  if (value > kScale) value = kScale;
  UpdateFrame();
  Notify(UWM_PC_VALUECHANGED);
  Invalidate();
  lastY = point.y;
  return 1;
}

float Knob::GetValue() {
  return value * 0.01f;
}

int Knob::SetValue(float newValue, bool notify) {
  value = ClampUnit(newValue) * kScale;
  UpdateFrame();
  Invalidate();
  if (notify) Notify(UWM_PC_VALUECHANGED);
  return 1;
}

void Knob::UpdateFrame() {
  // Truncation, not rounding: a frame is shown only once its value is reached.
  if (FrameCount() != 0)
    position = ClampPosition(static_cast<int32_t>(static_cast<float>(FrameCount() - 1) * GetValue()));
}

Knob* CreateKnob(const ResourceImage* background, int32_t parameterIndex, float defaultValue,
                 const FrameStrip* strip, int x, int y, HWND parent, HINSTANCE instance) {
  auto* knob = new Knob(background, parameterIndex, defaultValue, strip);
  return Knob::CreateParameterWindow(knob, Knob::kClassName, x, y, parent, instance) ? knob : nullptr;
}

}  // namespace WindowsToolkit
