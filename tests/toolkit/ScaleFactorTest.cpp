#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "toolkit/core/ScaleFactor.h"

namespace QuorvelTest {
namespace {

using Toolkit::PixelBounds;
using Toolkit::ScaleFactor;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

TEST(ScaleFactor, ComesFromTheDpiOrTheHostInQuarterStepsFromOneToThree) {
  // dpi / 96 * 4 quarters, to the nearest: 108 is 4.5 (halves go up), 110 is 4.58.
  const struct {
    double dpi;
    int32_t quarters;
  } screens[] = {{96, 4},   {120, 5},  {144, 6}, {168, 7}, {192, 8},  {108, 5},  {110, 5},   {105, 4},
                 {288, 12}, {384, 12}, {72, 4},  {0, 4},   {-144, 4}, {kNaN, 4}, {1e300, 12}};
  for (const auto& screen : screens) {
    EXPECT_EQ(ScaleFactor::FromDpi(screen.dpi).GetQuarters(), screen.quarters) << screen.dpi;
  }
  EXPECT_EQ(ScaleFactor(1.6).GetFactor(), 1.5);
  // A factor the host told wins over the screen's, even one below 1 (kept at 1);
  // none (0), a negative or a NaN leaves the measured one.
  EXPECT_EQ(ScaleFactor::Choose(2.0f, 144), ScaleFactor(2.0));
  EXPECT_EQ(ScaleFactor::Choose(0.5f, 192), ScaleFactor(1.0));
  EXPECT_EQ(ScaleFactor::Choose(kInfinity, 96), ScaleFactor(3.0));
  for (float none : {0.0f, -1.0f, std::numeric_limits<float>::quiet_NaN()}) {
    EXPECT_EQ(ScaleFactor::Choose(none, 144), ScaleFactor(1.5)) << none;
  }
}

TEST(ScaleFactor, ScalesLengthsAndRectanglesByTheirEdges) {
  const ScaleFactor one, fiveQuarters(1.25), half(1.5), two(2.0);
  // The editor, 496 x 344: 744 x 516 at 150 %, 992 x 688 at 200 %, 620 x 430 at 125 %.
  EXPECT_EQ(half.Scale(PixelBounds{0, 0, 496, 344}), (PixelBounds{0, 0, 744, 516}));
  EXPECT_EQ(two.Scale(PixelBounds{0, 0, 496, 344}), (PixelBounds{0, 0, 992, 688}));
  EXPECT_EQ(fiveQuarters.Scale(PixelBounds{0, 0, 496, 344}), (PixelBounds{0, 0, 620, 430}));
  // The status font's 15 px: 22.5 rounds up to 23; 18.75 to 19.
  EXPECT_EQ(half.Scale(15), 23);
  EXPECT_EQ(fiveQuarters.Scale(15), 19);
  EXPECT_EQ(half.Scale(-1), -1);  // -1.5 rounds up too
  // An increment button at (116, 227), 28 x 28: top 340.5 -> 341, bottom 382.5 -> 383.
  EXPECT_EQ(half.Scale(PixelBounds{116, 227, 28, 28}), (PixelBounds{174, 341, 42, 42}));
  // Neighbours at 125 %: the edges 2, 8 and 14 become 3, 10 and 18 (2.5, 10, 17.5).
  const PixelBounds left = fiveQuarters.Scale(PixelBounds{2, 0, 6, 1});
  const PixelBounds right = fiveQuarters.Scale(PixelBounds{8, 0, 6, 1});
  EXPECT_EQ(left.x + left.width, right.x);
  EXPECT_EQ(one.Scale(PixelBounds{65, 139, 32, 32}), (PixelBounds{65, 139, 32, 32}));
  EXPECT_EQ(ScaleFactor(3.0).Scale(std::numeric_limits<int32_t>::max()), std::numeric_limits<int32_t>::max());
}

TEST(ScaleFactor, DevicePixelsMapBackToTheLogicalPixelsTheyDraw) {
  for (int32_t quarters = 4; quarters <= 12; ++quarters) {
    const ScaleFactor scale(quarters / 4.0);
    for (int32_t logical = -40; logical < 600; ++logical) {
      for (int32_t device = scale.Scale(logical); device < scale.Scale(logical + 1); ++device) {
        ASSERT_EQ(scale.ToLogical(device), logical) << quarters << " quarters, device " << device;
      }
    }
  }
  // A knob's full range is 100 logical pixels: 15 px at 150 % and 20 px at 200 % are a
  // tenth of it; at 100 % a distance is its own.
  EXPECT_EQ(ScaleFactor(1.5).LogicalDistance(15.0f), 10.0f);
  EXPECT_EQ(ScaleFactor(2.0).LogicalDistance(-20.0f), -10.0f);
  EXPECT_EQ(ScaleFactor().LogicalDistance(-7.0f), -7.0f);
}

TEST(ScaleFactor, AboveOneDrawsFromTheDoubleImagesStretchedWhereNotTwo) {
  const struct {
    double factor;
    int32_t zoom, backgroundId;
    double stretch;
    bool pixelForPixel;
  } cases[] = {{1.0, 1, 113, 1.0, true},
               {1.25, 2, 213, 0.625, false},
               {1.5, 2, 213, 0.75, false},
               {2.0, 2, 213, 1.0, true},
               {3.0, 2, 213, 1.5, false}};
  for (const auto& c : cases) {
    const ScaleFactor scale(c.factor);
    EXPECT_EQ(scale.GetImageZoom(), c.zoom) << c.factor;
    EXPECT_EQ(scale.ImageResourceId(113), c.backgroundId) << c.factor;
    EXPECT_EQ(scale.GetImageStretch(), c.stretch) << c.factor;
    EXPECT_EQ(scale.DrawsImagesPixelForPixel(), c.pixelForPixel) << c.factor;
  }
}

}  // namespace
}  // namespace QuorvelTest
