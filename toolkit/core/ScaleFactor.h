#pragma once

#include <cstdint>

namespace Toolkit {

// A rectangle in pixels: its top-left corner and its size.
struct PixelBounds {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;

  bool operator==(const PixelBounds& other) const {
    return x == other.x && y == other.y && width == other.width && height == other.height;
  }
};

// How much larger than its logical size an editor is drawn on the screen: one factor
// per editor, a quarter step from 1 to 3. The editor's layout, sizes, fonts and drag
// distances are written in logical pixels (those of a 96 dpi screen) and become device
// pixels here, in one place, by the same rounding on every platform. At 1 every
// conversion is the identity.
class ScaleFactor final {
 public:
  static constexpr int32_t kQuartersPerUnit = 4;
  static constexpr int32_t kFewestQuarters = 4;   // 1x
  static constexpr int32_t kMostQuarters = 12;    // 3x
  static constexpr double kLogicalDpi = 96.0;     // a screen at 100 %
  static constexpr int32_t kDoubleImageId = 100;  // what a 2x image's resource id adds to its 1x id

  ScaleFactor() = default;  // 1x
  // Rounds to the nearest quarter, halves upwards, within 1 to 3; NaN gives 1.
  explicit ScaleFactor(double factor);

  // The factor of a screen of `dpi` dots per inch; an unknown DPI (0, negative, NaN) gives 1.
  static ScaleFactor FromDpi(double dpi);
  // The editor's factor: the one the host told (more than 0) overrides the one measured.
  static ScaleFactor Choose(float hostFactor, double measuredDpi);

  double GetFactor() const { return quarters / static_cast<double>(kQuartersPerUnit); }
  int32_t GetQuarters() const { return quarters; }

  // A logical length or coordinate (a position, a size, a font's pixel height) in
  // device pixels, rounded to the nearest, halves upwards.
  int32_t Scale(int32_t logical) const;
  // A rectangle by its edges, so that rectangles that meet still meet and none overlap.
  PixelBounds Scale(const PixelBounds& logical) const;
  // The logical pixel that holds the centre of device pixel `device`; for every logical
  // L, the device pixels from Scale(L) to Scale(L + 1) - 1 map back to L.
  int32_t ToLogical(int32_t device) const;
  // A distance the pointer travelled, in logical pixels: a knob's full range stays
  // 100 logical pixels at every factor.
  float LogicalDistance(float devicePixels) const;

  // 1 or 2: factors above 1 draw from the images made at twice the size.
  int32_t GetImageZoom() const { return quarters > kFewestQuarters ? 2 : 1; }
  // The resource id of the image to draw from, given the 1x image's id.
  int32_t ImageResourceId(int32_t singleId) const {
    return GetImageZoom() == 2 ? singleId + kDoubleImageId : singleId;
  }
  // How much those images are stretched when drawn: 1 pixel for pixel (at 1 and 2),
  // otherwise they need a high-quality filter.
  double GetImageStretch() const { return GetFactor() / GetImageZoom(); }
  bool DrawsImagesPixelForPixel() const { return quarters == kQuartersPerUnit * GetImageZoom(); }

  bool operator==(const ScaleFactor& other) const { return quarters == other.quarters; }
  bool operator!=(const ScaleFactor& other) const { return quarters != other.quarters; }

 private:
  int32_t quarters = kQuartersPerUnit;
};

}  // namespace Toolkit
