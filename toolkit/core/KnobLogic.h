#pragma once

#include <cstdint>

#include "toolkit/core/ParameterLogic.h"

namespace ToolkitCore {

// A rotary control dragged vertically: 100 pixels of travel sweep the whole range,
// 1000 with Shift held. Ctrl+click resets it to its default and goes on dragging.
class KnobLogic final : public ParameterLogic {
 public:
  KnobLogic(float defaultValue_, uint32_t frameCount_) : ParameterLogic(defaultValue_, frameCount_) {}

  float GetValue() const override;
  Outcome SetValue(float newValue, bool notify) override;
  Outcome Press(Modifiers keys, int32_t x, int32_t y) override;
  Outcome Drag(Modifiers keys, int32_t x, int32_t y) override;

 private:
  void UpdateFrame();

  float value = 0.0f;  // the normalised value times 100
  int32_t lastY = 0;   // of the last pointer position seen while dragging
};

}  // namespace ToolkitCore
