#pragma once

#include <cstdint>

#include "toolkit/Control.h"

namespace WindowsToolkit {

class FrameStrip;

// A control bound to one plug-in parameter: it shows the parameter's normalised
// value as one frame of its strip, and tells its parent about user changes, hovering,
// leaving and right clicks by posting the registered messages (never sending them).
//
// SetValue(value, false) is also called from the host's audio and parameter threads;
// it only stores fields and invalidates the window, so painting stays on the
// user-interface thread. Everything else runs on the user-interface thread.
class ParameterControl : public Control {
 public:
  int OnCreate(CREATESTRUCTA* create) override;
  int OnEraseBackground(HDC hdc) override;
  int OnLButtonUp(WPARAM keys, POINT point) override;
  int OnRButtonDown(WPARAM keys, POINT point) override;
  int OnMouseHover(WPARAM keys, POINT point) override;
  int OnMouseLeave() override;
  void Draw(Gdiplus::Graphics& graphics) override;

  // The normalised value, 0 to 1.
  virtual float GetValue() = 0;
  // Values outside 0 to 1 are taken as the nearer end, NaN as 0: whatever a host
  // sends, the control shows a frame of its strip.
  virtual int SetValue(float value, bool notify) = 0;
  // The frame shown.
  int32_t GetPosition() const;
  // Indices outside the strip are taken as its nearer end.
  int SetPosition(int32_t index, bool notify);
  virtual int32_t GetMaximumPosition();
  virtual int32_t GetMinimumPosition();

  const int32_t parameterIndex;
  const float defaultValue;

 protected:
  ParameterControl(const ResourceImage* background_, int32_t parameterIndex_, float defaultValue_,
                   const FrameStrip* strip_);

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
  // The number of frames as a position count (0 without frames).
  int32_t FrameCount() const;
  // Clamps an index into the strip; 0 for a strip without frames.
  int32_t ClampPosition(int32_t index) const;
  // Clamps a normalised value into 0 to 1; NaN becomes 0.
  static float ClampUnit(float value);

  TRACKMOUSEEVENT mouseTracking{};
  const FrameStrip* strip;
  int32_t position = 0;  // the frame shown
};

}  // namespace WindowsToolkit
