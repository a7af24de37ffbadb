#pragma once

#include <cstdint>

#include "toolkit/win32/ParameterControl.h"
#include "toolkit/core/ScaleFactor.h"

namespace WindowsToolkit {

// A rotary control dragged vertically (ToolkitCore::KnobLogic): 100 pixels of travel
// sweep the whole range, 1000 with Shift held; Ctrl+click resets it and goes on dragging.
class Knob final : public ParameterControl {
 public:
  static constexpr const char* kClassName = "QuorvelWindowsToolkitKnob";

 private:
  friend Knob* CreateKnob(const ResourceImage*, int32_t, float, const FrameStrip*, int, int, HWND, HINSTANCE,
                          Toolkit::ScaleFactor);
  Knob(const ResourceImage* background_, int32_t parameterIndex_, float defaultValue_, const FrameStrip* strip_,
       Toolkit::ScaleFactor scale);
};

// Creates a knob of the strip's frame size at (x, y) of `parent` and sets it to its
// default, which posts a value-changed message. Its travel is counted in logical
// pixels of `scale`. Returns null without a window.
Knob* CreateKnob(const ResourceImage* background, int32_t parameterIndex, float defaultValue,
                 const FrameStrip* strip, int x, int y, HWND parent, HINSTANCE instance,
                 Toolkit::ScaleFactor scale = Toolkit::ScaleFactor());

}  // namespace WindowsToolkit
