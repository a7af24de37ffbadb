#pragma once

#include <cstdint>

#include "toolkit/core/ScaleFactor.h"
#include "toolkit/core/ParameterLogic.h"

namespace ToolkitCore {

// A rotary control dragged vertically: 100 pixels of travel sweep the whole range,
// 1000 with Shift held. Ctrl+click resets it to its default and goes on dragging.
// The pointer's positions are device pixels; the travel is counted in logical pixels
// of the editor's scale, so the range feels the same at every factor.
class KnobLogic final : public ParameterLogic {
 public:
  KnobLogic(float defaultValue_, uint32_t frameCount_, Toolkit::ScaleFactor scale_ = Toolkit::ScaleFactor())
      : ParameterLogic(defaultValue_, frameCount_), scale(scale_) {}

  float GetValue() const override;
  Outcome SetValue(float newValue, bool notify) override;

 private:
  Outcome PressAt(Modifiers keys, int32_t x, int32_t y) override;
  Outcome DragTo(Modifiers keys, int32_t x, int32_t y) override;
  void UpdateFrame();

  const Toolkit::ScaleFactor scale;
  float value = 0.0f;  // the normalised value times 100
  int32_t lastY = 0;   // of the last pointer position seen while dragging
};

}  // namespace ToolkitCore
