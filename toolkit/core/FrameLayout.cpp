#include "toolkit/core/FrameLayout.h"

namespace ToolkitCore {

uint32_t FrameLayout::FrameWidth(uint32_t width) const {
  if (frameCount == 0) return 0;
  return vertical ? width : width / frameCount;
}

uint32_t FrameLayout::FrameHeight(uint32_t height) const {
  if (frameCount == 0) return 0;
  return vertical ? height / frameCount : height;
}

int32_t FrameLayout::SourceLeft(int32_t index, uint32_t width) const {
  return vertical ? 0 : index * static_cast<int32_t>(FrameWidth(width));
}

int32_t FrameLayout::SourceTop(int32_t index, uint32_t height) const {
  return vertical ? index * static_cast<int32_t>(FrameHeight(height)) : 0;
}

}  // namespace ToolkitCore
