#pragma once

#include <cstdint>
#include <vector>

#include "toolkit/core/Area.h"
#include "toolkit/core/ParameterLogic.h"

namespace ToolkitCore {

// A switch with one position per frame of its strip. A click, or a drag across it,
// selects the position under the pointer; Ctrl+click resets it to its default.
// A vertical strip has its position 0 at the bottom, a horizontal one at the left.
class MultiswitchLogic final : public ParameterLogic {
 public:
  MultiswitchLogic(float defaultValue_, uint32_t frameCount_, uint32_t frameWidth, uint32_t frameHeight,
                   bool vertical);

  float GetValue() const override;
  Outcome SetValue(float value, bool notify) override;

  const std::vector<Area>& HitAreas() const { return hitAreas; }

 private:
  Outcome PressAt(Modifiers keys, int32_t x, int32_t y) override;
  Outcome DragTo(Modifiers keys, int32_t x, int32_t y) override;
  Outcome SelectAt(int32_t x, int32_t y);

  std::vector<Area> hitAreas;  // the click area of each position
};

}  // namespace ToolkitCore
