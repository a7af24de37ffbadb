#pragma once

#include "toolkit/win32/Gdiplus.h"
#include "toolkit/win32/Window.h"

namespace WindowsToolkit {

class FrameStrip;
class ResourceImage;

// Base of every control. A control paints through an off-screen buffer into which
// it first copies the part of the view's background that lies under it, so controls
// look transparent over the background without any window transparency.
class Control : public Window {
 public:
  int OnPaint(HDC hdc) override;
  // Paints the control's face over the copied background.
  virtual void Draw(Gdiplus::Graphics& graphics) = 0;

 protected:
  explicit Control(const ResourceImage* background_) : background(background_) {}
  // Creates the window of a control by the toolkit's convention, sized to one frame
  // of `strip` (0 x 0 without one). False, and the control deleted, without a window.
  static bool CreateControlWindow(Control* control, const char* className, const FrameStrip* strip, int left,
                                  int top, HWND parent, HINSTANCE instance);
  // Repaints the whole control later; safe from any thread, and a no-op while the
  // control has no window (before creation, after destruction).
  void Invalidate() const;

  const ResourceImage* background;  // the parent view's background, not owned
};

}  // namespace WindowsToolkit
