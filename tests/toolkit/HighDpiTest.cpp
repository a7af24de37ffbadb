#include <cmath>
#include <cstdint>
#include <vector>

#include "tests/toolkit/ToolkitFixture.h"
#include "toolkit/core/ScaleFactor.h"
#include "toolkit/win32/WindowDpi.h"

namespace QuorvelTest {
namespace {

using WindowsToolkit::ResourceImage;

// The bytes of a whole bitmap, premultiplied by alpha, four per pixel, row by row.
std::vector<uint8_t> Premultiplied(Gdiplus::Bitmap* image) {
  const UINT width = image->GetWidth(), height = image->GetHeight();
  std::vector<uint8_t> bytes(static_cast<size_t>(width) * height * 4);
  Gdiplus::Rect all(0, 0, static_cast<INT>(width), static_cast<INT>(height));
  Gdiplus::BitmapData data{};
  data.Width = width;
  data.Height = height;
  data.Stride = static_cast<INT>(width * 4);
  data.PixelFormat = PixelFormat32bppPARGB;
  data.Scan0 = bytes.data();
  image->LockBits(&all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                  PixelFormat32bppPARGB, &data);
  image->UnlockBits(&data);
  return bytes;
}

// The mean difference per channel (0 to 255) between a 1x image and its 2x twin
// reduced by averaging each 2 x 2 block.
double MeanDifference(Gdiplus::Bitmap* single, Gdiplus::Bitmap* doubled) {
  const std::vector<uint8_t> small = Premultiplied(single), large = Premultiplied(doubled);
  const size_t width = single->GetWidth(), rowBytes = 8 * width;  // of the 2x image
  double total = 0.0;
  for (size_t i = 0; i < small.size(); ++i) {
    const size_t pixel = i / 4, corner = 2 * (pixel / width) * rowBytes + 8 * (pixel % width) + i % 4;
    const int sum =
        large[corner] + large[corner + 4] + large[corner + rowBytes] + large[corner + rowBytes + 4];
    total += std::abs(sum / 4.0 - small[i]);
  }
  return total / static_cast<double>(small.size());
}

class HighDpiTest : public ToolkitTest {};

TEST_F(HighDpiTest, EveryImageHasATwinAtTwiceTheSizeThatLooksTheSame) {
  // The twins' ids are the 1x ids plus 100. The drawing at twice the size, reduced
  // again, differs from the 1x image by 0.6 (increment) to 2.2 (selector) per channel,
  // as measured: edges and hinted text land on finer pixels. A frame out of place or an
  // element not scaled differs over whole areas.
  const ResourceImage* singles[] = {&background, &knobImage, &switchImage, &buttonImage, &selectorImage};
  const Toolkit::ScaleFactor two(2.0);
  for (int i = 0; i < 5; ++i) {
    const int id = two.ImageResourceId(113 + i);
    ResourceImage doubled;
    ASSERT_TRUE(doubled.LoadFromResource(id, instance)) << id;
    EXPECT_EQ(doubled.GetWidth(), 2 * singles[i]->GetWidth()) << id;
    EXPECT_EQ(doubled.GetHeight(), 2 * singles[i]->GetHeight()) << id;
    EXPECT_EQ(doubled.GetBitmap()->GetPixelFormat(), PixelFormat32bppARGB) << id;
    if (doubled.GetWidth() != 2 * singles[i]->GetWidth()) continue;
    EXPECT_LT(MeanDifference(singles[i]->GetBitmap(), doubled.GetBitmap()), 4.0) << id;
  }
  ResourceImage about;  // the About box's picture, a PNG at 2x
  ASSERT_TRUE(about.LoadFromResource(two.ImageResourceId(112), instance));
  EXPECT_EQ((std::vector<uint32_t>{about.GetWidth(), about.GetHeight()}), (std::vector<uint32_t>{880, 898}));
}

TEST_F(HighDpiTest, AScreenAtOneHundredPercentGivesNinetySixDpiForEveryWindow) {
  // The tests' Wine prefix keeps its DPI at 96 (its LogPixels); Wine 8 makes every
  // process DPI-aware, so this is the measured value, not one Windows made up.
  EXPECT_EQ(WindowsToolkit::WindowDpi(host), 96);
  EXPECT_EQ(WindowsToolkit::WindowDpi(parent->hwnd), 96);
  EXPECT_EQ(WindowsToolkit::WindowDpi(nullptr), 96);
  DestroyWindow(host);
  EXPECT_EQ(WindowsToolkit::WindowDpi(host), 96);  // gone: the system's
  host = nullptr;
}

}  // namespace
}  // namespace QuorvelTest
