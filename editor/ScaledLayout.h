#pragma once

#include <cstdint>

#include "editor/QuorvelDelayLayout.h"
#include "toolkit/core/ScaleFactor.h"
#include "toolkit/core/Area.h"

// The delay editor's layout at one scale factor, in device pixels: the one place where
// the logical places and sizes of QuorvelDelayLayout and the toolkit's geometry are
// multiplied, for the Win32 and the X11 editor alike. At 1x every answer is the
// logical one.
class ScaledLayout final {
 public:
  explicit ScaledLayout(Toolkit::ScaleFactor scale_ = Toolkit::ScaleFactor()) : scale(scale_) {}

  const Toolkit::ScaleFactor& GetScale() const { return scale; }
  int32_t Scale(int32_t logical) const { return scale.Scale(logical); }
  // A logical rectangle by its edges.
  ToolkitCore::Area Scale(const ToolkitCore::Area& logical) const;

  // The view: the background's logical size, scaled.
  int32_t ViewWidth() const;
  int32_t ViewHeight() const;

  // One frame of a strip on the screen, given the size of the strip's image as loaded
  // (drawn at the scale's image zoom). Every frame of a strip has this one size, so a
  // strip can be redrawn once at it and then drawn pixel for pixel.
  struct FrameSize {
    uint32_t width;
    uint32_t height;
  };
  FrameSize DeviceFrame(const QuorvelDelayLayout::Strip& strip, uint32_t imageWidth, uint32_t imageHeight) const;
  // The background as drawn: one frame of the view's size.
  FrameSize DeviceBackground() const;

  // Where a control's top-left corner, or a button's, lies in the view.
  int32_t ControlLeft(const QuorvelDelayLayout::ControlPlacement& place) const { return Scale(place.x); }
  int32_t ControlTop(const QuorvelDelayLayout::ControlPlacement& place) const { return Scale(place.y); }
  int32_t ButtonLeft() const;
  int32_t ButtonTop(const QuorvelDelayLayout::ButtonPlacement& place) const { return Scale(place.top); }

  ToolkitCore::Area TitleArea() const { return Scale(QuorvelDelayLayout::kTitleArea); }
  ToolkitCore::Area StatusArea() const;
  int32_t StatusFontHeight() const;
  int32_t StatusBottomInset() const;

  // The About box: its client size and its two buttons.
  int32_t AboutWidth() const { return Scale(QuorvelDelayLayout::kAboutWidth); }
  int32_t AboutHeight() const { return Scale(QuorvelDelayLayout::kAboutHeight); }
  ToolkitCore::Area WebButtonArea() const { return Scale(QuorvelDelayLayout::kWebButtonArea); }
  ToolkitCore::Area OkButtonArea() const { return Scale(QuorvelDelayLayout::kOkButtonArea); }

 private:
  Toolkit::ScaleFactor scale;
};
