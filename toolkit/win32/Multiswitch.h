#pragma once

#include <cstdint>

#include "toolkit/win32/ParameterControl.h"

namespace WindowsToolkit {

// A switch with one position per frame of its strip (ToolkitCore::MultiswitchLogic):
// a click, or a drag across it, selects the position under the mouse; Ctrl+click
// resets it. A vertical strip has its position 0 at the bottom, a horizontal one at the left.
class Multiswitch final : public ParameterControl {
 public:
  static constexpr const char* kClassName = "QuorvelWindowsToolkitMultiswitch";

 private:
  friend Multiswitch* CreateMultiswitch(const ResourceImage*, int32_t, float, const FrameStrip*, int, int,
                                        HWND, HINSTANCE);
  Multiswitch(const ResourceImage* background_, int32_t parameterIndex_, float defaultValue_,
              const FrameStrip* strip_);
};

// Creates a switch of the strip's frame size at (x, y) of `parent` and sets it to
// its default, which posts a value-changed message when that is not position 0.
// Returns null without a window.
Multiswitch* CreateMultiswitch(const ResourceImage* background, int32_t parameterIndex, float defaultValue,
                               const FrameStrip* strip, int x, int y, HWND parent, HINSTANCE instance);

}  // namespace WindowsToolkit
