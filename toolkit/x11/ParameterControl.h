#pragma once

#include <chrono>
#include <cstdint>
#include <memory>

#include "toolkit/core/NotificationNames.h"
#include "toolkit/core/ParameterLogic.h"
#include "toolkit/x11/Control.h"

namespace X11Toolkit {

class FrameStrip;

// A control bound to one plug-in parameter, on X11: the left button presses, drags
// and releases its ToolkitCore logic (the press's implicit grab keeps the pointer until
// the release; a grab that ends otherwise ends the drag), the right button asks for its
// menu, and a pointer resting 200 ms shows its status. It tells its view by client
// messages, handled in a later pump.
// SetValue(value, false) is also called from the host's other threads: it only
// stores the value and marks the window for the next pump's paint.
class ParameterControl final : public Control {
 public:
  ParameterControl(const Image& background_, const FrameStrip& strip_, Window& view_, int32_t parameterIndex_,
                   std::unique_ptr<ToolkitCore::ParameterLogic> logic_);

  void OnButtonPress(const XButtonEvent& event) override;
  void OnButtonRelease(const XButtonEvent& event) override;
  void OnMotion(const XMotionEvent& event) override;
  void OnEnter(const XCrossingEvent& event) override;
  void OnLeave(const XCrossingEvent& event) override;
  void OnTick(std::chrono::steady_clock::time_point now) override;
  void Draw(cairo_t* cairo) override;

  float GetValue() const { return logic->GetValue(); }
  void SetValue(float value, bool notify);
  // Steps to the next position, wrapping to the first, and reports it.
  void Step();

  const int32_t parameterIndex;

 protected:
  long EventMask() const override;

 private:
  void Apply(ToolkitCore::Outcome outcome);
  void Notify(ToolkitCore::Notification notification);
  void ArmHover();

  const FrameStrip& strip;
  Window& view;
  const std::unique_ptr<ToolkitCore::ParameterLogic> logic;
  bool hoverArmed = false;
  std::chrono::steady_clock::time_point hoverAt{};
};

}  // namespace X11Toolkit
