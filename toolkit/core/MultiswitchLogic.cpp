#include "toolkit/core/MultiswitchLogic.h"

#include <cstddef>

namespace ToolkitCore {

MultiswitchLogic::MultiswitchLogic(float defaultValue_, uint32_t frameCount_, uint32_t frameWidth,
                                   uint32_t frameHeight, bool vertical)
    : ParameterLogic(defaultValue_, frameCount_) {
  const int32_t count = frameCount;
  if (count == 0) return;
  const auto width = static_cast<int32_t>(frameWidth);
  const auto height = static_cast<int32_t>(frameHeight);
  hitAreas.reserve(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    if (vertical) {
      const int32_t band = height / count;
      hitAreas.push_back(Area{0, (count - 1 - i) * band, width, (count - i) * band});
    } else {
      const int32_t column = width / count;
      hitAreas.push_back(Area{i * column, 0, (i + 1) * column, height});
    }
  }
}

float MultiswitchLogic::GetValue() const {
  return frameCount >= 2 ? static_cast<float>(position) / static_cast<float>(frameCount - 1) : 0.0f;
}

Outcome MultiswitchLogic::SetValue(float value, bool notify) {
  if (frameCount == 0) return Outcome{};
  const int32_t old = position;
  // Each position owns an equal share of 0..1; the value 1 itself belongs to the last.
  const float share = 1.0f / static_cast<float>(frameCount);
  position = ClampPosition(static_cast<int32_t>(ClampUnit(value) / share));
  if (position == old) return Outcome{};
  return Outcome{true, notify};
}

Outcome MultiswitchLogic::PressAt(Modifiers keys, int32_t x, int32_t y) {
  return keys.control ? SetValue(defaultValue, true) : SelectAt(x, y);
}

Outcome MultiswitchLogic::DragTo(Modifiers, int32_t x, int32_t y) {
  return SelectAt(x, y);
}

Outcome MultiswitchLogic::SelectAt(int32_t x, int32_t y) {
  for (size_t i = 0; i < hitAreas.size(); ++i) {
    if (!hitAreas[i].Contains(x, y)) continue;
    const auto hit = static_cast<int32_t>(i);
    if (hit == position) return Outcome{};
    position = hit;
    return Outcome{true, true};
  }
  return Outcome{};
}

}  // namespace ToolkitCore
