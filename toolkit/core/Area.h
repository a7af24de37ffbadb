#pragma once

#include <cstdint>

namespace ToolkitCore {

// A rectangle in client pixels: left and top inside, right and bottom outside.
struct Area {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
  constexpr bool Contains(int32_t x, int32_t y) const { return x >= left && x < right && y >= top && y < bottom; }
  constexpr int32_t Width() const { return right - left; }
  constexpr int32_t Height() const { return bottom - top; }
};

}  // namespace ToolkitCore
