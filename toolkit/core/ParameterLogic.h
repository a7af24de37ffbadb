#pragma once

#include <cstdint>

namespace ToolkitCore {

// What a change asks of the platform: repaint the control, and tell its view.
struct Outcome {
  bool repaint = false;
  bool notify = false;
};

// The keys held with a mouse button, as every platform reports them.
struct Modifiers {
  bool control = false;
  bool shift = false;
};

// The platform-free behaviour of a parameter control: its value, the frame it shows,
// and what a press and a drag of the left button at a client point do. The platform
// layers turn native events into these calls and act on the outcome.
//
// SetValue(value, false) is also called from the host's audio and parameter threads:
// it only stores fields, so the platform repaints on its user-interface thread.
class ParameterLogic {
 public:
  virtual ~ParameterLogic() = default;
  ParameterLogic(const ParameterLogic&) = delete;
  ParameterLogic& operator=(const ParameterLogic&) = delete;

  // The normalised value, 0 to 1.
  virtual float GetValue() const = 0;
  // Values outside 0 to 1 are taken as the nearer end, NaN as 0.
  virtual Outcome SetValue(float value, bool notify) = 0;
  // The left button went down at (x, y); Ctrl resets to the default.
  virtual Outcome Press(Modifiers keys, int32_t x, int32_t y) = 0;
  // The pointer moved to (x, y) with the left button held since a press here.
  virtual Outcome Drag(Modifiers keys, int32_t x, int32_t y) = 0;

  // The frame shown.
  int32_t GetPosition() const { return position; }
  // Indices outside the strip are taken as its nearer end.
  Outcome SetPosition(int32_t index, bool notify);
  int32_t GetMaximumPosition() const { return frameCount - 1; }
  int32_t GetMinimumPosition() const { return 0; }
  // The next position, wrapping from the last to the first, as an increment button steps it.
  Outcome Step();

  const float defaultValue;

 protected:
  ParameterLogic(float defaultValue_, uint32_t frameCount_);
  int32_t ClampPosition(int32_t index) const;
  static float ClampUnit(float value);

  const int32_t frameCount;  // 0 without a strip
  int32_t position = 0;
};

}  // namespace ToolkitCore
