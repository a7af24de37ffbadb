#pragma once

#include <cstdint>
#include <memory>

#include "toolkit/win32/Control.h"
#include "toolkit/core/ParameterLogic.h"

namespace WindowsToolkit {

class FrameStrip;

// A control bound to one plug-in parameter: it shows the parameter's normalised
// value as one frame of its strip, and tells its parent about user changes, the
// begin and end of the user's gestures, hovering, leaving and right clicks by posting
// the registered messages (never sending them). What a value, a press, a drag and a
// release mean is the control's ToolkitCore logic; this class only turns window
// messages into its calls. Losing the capture (to another window, or with the window
// itself) ends a drag as the button's release does.
//
// SetValue(value, false) is also called from the host's audio and parameter threads;
// it only stores fields and invalidates the window, so painting stays on the
// user-interface thread. Everything else runs on the user-interface thread.
class ParameterControl : public Control {
 public:
  int OnCreate(CREATESTRUCTA* create) override;
  int OnEraseBackground(HDC hdc) override;
  int OnLButtonDown(WPARAM keys, POINT point) override;
  int OnLButtonUp(WPARAM keys, POINT point) override;
  int OnRButtonDown(WPARAM keys, POINT point) override;
  int OnMouseHover(WPARAM keys, POINT point) override;
  int OnMouseMove(WPARAM keys, POINT point) override;
  int OnMouseLeave() override;
  int OnCaptureChanged(HWND gaining) override;
  void Draw(Gdiplus::Graphics& graphics) override;

  // The normalised value, 0 to 1.
  // Virtual, as every operation a test host may reach through a control's window
  // object without linking the toolkit.
  virtual float GetValue() const;
  // Values outside 0 to 1 are taken as the nearer end, NaN as 0: whatever a host
  // sends, the control shows a frame of its strip.
  virtual int SetValue(float value, bool notify);
  // The frame shown.
  int32_t GetPosition() const;
  // Indices outside the strip are taken as its nearer end.
  int SetPosition(int32_t index, bool notify);
  virtual int32_t GetMaximumPosition() const;
  virtual int32_t GetMinimumPosition() const;
  // Steps to the next position, wrapping to the first, and reports it.
  void Step();

  const int32_t parameterIndex;
  const float defaultValue;

 protected:
  ParameterControl(const ResourceImage* background_, int32_t parameterIndex_, const FrameStrip* strip_,
                   std::unique_ptr<ToolkitCore::ParameterLogic> logic_);

  // Creates the control's window at (x, y) with the strip's frame size and sets the
  // default value with notification. False (and the control deleted) without a window.
  static bool CreateParameterWindow(ParameterControl* control, const char* className, int left, int top,
                                    HWND parent, HINSTANCE instance);
  // Posts one of the registered messages to the parent window.
  void Notify(UINT message) const;
  // Asks for the hover and leave notifications again; each arrives once per request.
  void TrackMouse();
  // Whether the mouse moves with the left button down while this control holds the capture.
  bool IsDragging(WPARAM keys) const;
  // Repaints and reports as the logic asks.
  void Apply(ToolkitCore::Outcome outcome);

  TRACKMOUSEEVENT mouseTracking{};
  const FrameStrip* strip;
  const std::unique_ptr<ToolkitCore::ParameterLogic> logic;
};

}  // namespace WindowsToolkit
