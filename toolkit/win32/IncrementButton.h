#pragma once

#include "toolkit/win32/Control.h"
#include "toolkit/core/Geometry.h"

namespace WindowsToolkit {

class FrameStrip;
class ParameterControl;

// A push button that steps a linked parameter control to its next position,
// wrapping from the last position to the first. It steps on the release of a press
// made on the button itself, so a drag that merely ends over it does nothing.
// User-interface thread only.
class IncrementButton final : public Control {
 public:
  static constexpr const char* kClassName = "QuorvelWindowsToolkitIncrementButton";
  static constexpr int kLeft = ToolkitCore::kIncrementButtonLeft;

  int OnEraseBackground(HDC hdc) override;
  int OnLButtonDown(WPARAM keys, POINT point) override;
  int OnLButtonUp(WPARAM keys, POINT point) override;
  void Draw(Gdiplus::Graphics& graphics) override;

  ParameterControl* target = nullptr;  // the stepped control, not owned; none: nothing is stepped

 private:
  friend IncrementButton* CreateIncrementButton(const ResourceImage*, const FrameStrip*, int, HWND, HINSTANCE,
                                                int);
  IncrementButton(const ResourceImage* background_, const FrameStrip* strip_)
      : Control(background_), strip(strip_) {}

  const FrameStrip* strip;  // frame 0 released, frame 1 pressed
  bool pressed = false;
};

// Creates a button of the strip's frame size at (x, y) of `parent`, x by default 116;
// the caller links `target` afterwards. Returns null without a window.
IncrementButton* CreateIncrementButton(const ResourceImage* background, const FrameStrip* strip, int y,
                                       HWND parent, HINSTANCE instance, int x = IncrementButton::kLeft);

}  // namespace WindowsToolkit
