#include "editor/ScaledLayout.h"

#include "delay/QuorvelDelayDescription.h"
#include "toolkit/core/FrameLayout.h"
#include "toolkit/core/Geometry.h"
#include "toolkit/core/StatusText.h"

ToolkitCore::Area ScaledLayout::Scale(const ToolkitCore::Area& logical) const {
  return ToolkitCore::Area{Scale(logical.left), Scale(logical.top), Scale(logical.right), Scale(logical.bottom)};
}

int32_t ScaledLayout::ViewWidth() const {
  return Scale(kQuorvelDelayEditorWidth);
}

int32_t ScaledLayout::ViewHeight() const {
  return Scale(kQuorvelDelayEditorHeight);
}

ScaledLayout::FrameSize ScaledLayout::DeviceFrame(const QuorvelDelayLayout::Strip& strip, uint32_t imageWidth,
                                                  uint32_t imageHeight) const {
  // The logical frame is the loaded frame less its zoom; the images' frames are all of
  // even size at 2x, so nothing is lost in the division.
  const ToolkitCore::FrameLayout layout(strip.frameCount, strip.vertical);
  const auto zoom = static_cast<uint32_t>(scale.GetImageZoom());
  const auto logicalWidth = static_cast<int32_t>(layout.FrameWidth(imageWidth) / zoom);
  const auto logicalHeight = static_cast<int32_t>(layout.FrameHeight(imageHeight) / zoom);
  return FrameSize{static_cast<uint32_t>(Scale(logicalWidth)), static_cast<uint32_t>(Scale(logicalHeight))};
}

ScaledLayout::FrameSize ScaledLayout::DeviceBackground() const {
  return FrameSize{static_cast<uint32_t>(ViewWidth()), static_cast<uint32_t>(ViewHeight())};
}

int32_t ScaledLayout::ButtonLeft() const {
  return Scale(ToolkitCore::kIncrementButtonLeft);
}

ToolkitCore::Area ScaledLayout::StatusArea() const {
  return Scale(ToolkitCore::kStatusArea);
}

int32_t ScaledLayout::StatusFontHeight() const {
  return Scale(ToolkitCore::StatusText::kFontHeight);
}

int32_t ScaledLayout::StatusBottomInset() const {
  return Scale(ToolkitCore::StatusText::kBottomInset);
}
