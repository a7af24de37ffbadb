#include "toolkit/core/KnobLogic.h"

namespace ToolkitCore {

namespace {
constexpr float kScale = 100.0f;  // value units per normalised unit, and per pixel of travel
constexpr float kFineDrag = 0.1f;
}  // namespace

float KnobLogic::GetValue() const {
  return value * 0.01f;
}

Outcome KnobLogic::SetValue(float newValue, bool notify) {
  value = ClampUnit(newValue) * kScale;
  UpdateFrame();
  return Outcome{true, notify};
}

Outcome KnobLogic::PressAt(Modifiers keys, int32_t, int32_t y) {
  Outcome outcome;
  if (keys.control) outcome = SetValue(defaultValue, true);
  lastY = y;
  return outcome;
}

Outcome KnobLogic::DragTo(Modifiers keys, int32_t, int32_t y) {
  // Exact at 1x: the distance is multiplied and divided by 4.
  float delta = scale.LogicalDistance(static_cast<float>(lastY - y));
  if (keys.shift) delta = delta * kFineDrag;
  value = value + delta;
  if (!(value >= 0.0f)) value = 0.0f;
  if (value > kScale) value = kScale;
  UpdateFrame();
  lastY = y;
  // Also when clamping left the value as it was: every move is reported.
  return Outcome{true, true};
}

void KnobLogic::UpdateFrame() {
  // Truncation, not rounding: a frame is shown only once its value is reached.
  if (frameCount != 0) position = ClampPosition(static_cast<int32_t>(static_cast<float>(frameCount - 1) * GetValue()));
}

}  // namespace ToolkitCore
