#include "toolkit/core/ParameterLogic.h"

#include <algorithm>
#include <cstdint>

namespace ToolkitCore {

ParameterLogic::ParameterLogic(float defaultValue_, uint32_t frameCount_)
    : defaultValue(defaultValue_), frameCount(static_cast<int32_t>(std::min<uint32_t>(frameCount_, INT32_MAX))) {}

Outcome ParameterLogic::Press(Modifiers keys, int32_t x, int32_t y) {
  Outcome outcome = PressAt(keys, x, y);
  // A second press before the release (a message a platform repeats) is the same gesture.
  outcome.begin = !inGesture;
  inGesture = true;
  return outcome;
}

Outcome ParameterLogic::Drag(Modifiers keys, int32_t x, int32_t y) {
  // A value set outside a gesture would reach the host unbracketed.
  return inGesture ? DragTo(keys, x, y) : Outcome{};
}

Outcome ParameterLogic::Release() {
  Outcome outcome;
  outcome.end = inGesture;
  inGesture = false;
  return outcome;
}

Outcome ParameterLogic::SetPosition(int32_t index, bool notify) {
  position = ClampPosition(index);
  return Outcome{true, notify};
}

Outcome ParameterLogic::Step() {
  int32_t next = GetPosition() + 1;
  if (next > GetMaximumPosition()) next = GetMinimumPosition();
  Outcome outcome = SetPosition(next, true);
  outcome.begin = !inGesture;
  outcome.end = !inGesture;
  return outcome;
}

int32_t ParameterLogic::ClampPosition(int32_t index) const {
  return std::clamp(index, 0, std::max(frameCount - 1, 0));
}

float ParameterLogic::ClampUnit(float value) {
  if (!(value >= 0.0f)) return 0.0f;  // also NaN
  return value > 1.0f ? 1.0f : value;
}

}  // namespace ToolkitCore
