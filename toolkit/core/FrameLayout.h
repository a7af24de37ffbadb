#pragma once

#include <cstdint>

namespace ToolkitCore {

// The frame arithmetic of a filmstrip: equally sized frames over one image of
// `width` x `height` pixels, stacked top to bottom or laid out left to right.
class FrameLayout final {
 public:
  FrameLayout(uint32_t frameCount_, bool vertical_) : frameCount(frameCount_), vertical(vertical_) {}

  uint32_t FrameWidth(uint32_t width) const;
  uint32_t FrameHeight(uint32_t height) const;
  // Whether `index` names a frame; no caller may read beside the frames.
  bool HasFrame(int32_t index) const { return index >= 0 && static_cast<uint32_t>(index) < frameCount; }
  // Where frame `index` starts in the image.
  int32_t SourceLeft(int32_t index, uint32_t width) const;
  int32_t SourceTop(int32_t index, uint32_t height) const;

  uint32_t GetFrameCount() const { return frameCount; }
  bool IsVertical() const { return vertical; }

 private:
  uint32_t frameCount;
  bool vertical;
};

}  // namespace ToolkitCore
