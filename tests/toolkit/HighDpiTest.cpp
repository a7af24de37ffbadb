#include <cstdlib>
#include <vector>

#include "tests/toolkit/ToolkitFixture.h"
#include "toolkit/ScaleFactor.h"
#include "toolkit/WindowDpi.h"

namespace QuorvelTest {
namespace {

using WindowsToolkit::ResourceImage;

// Straight ARGB words of a whole bitmap, row by row.
std::vector<uint32_t> Pixels(Gdiplus::Bitmap* image) {
  const UINT width = image->GetWidth(), height = image->GetHeight();
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
  Gdiplus::Rect all(0, 0, static_cast<INT>(width), static_cast<INT>(height));
  Gdiplus::BitmapData data{};
  data.Width = width;
  data.Height = height;
  data.Stride = static_cast<INT>(width * 4);
  data.PixelFormat = PixelFormat32bppARGB;
  data.Scan0 = pixels.data();
  image->LockBits(&all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf, PixelFormat32bppARGB,
                  &data);
  image->UnlockBits(&data);
  return pixels;
}

// The mean difference per channel (0 to 255) between a 1x image and its 2x twin
// reduced by averaging each 2 x 2 block, colours weighted by their alpha.
double MeanDifference(Gdiplus::Bitmap* single, Gdiplus::Bitmap* doubled) {
  const std::vector<uint32_t> small = Pixels(single), large = Pixels(doubled);
  const UINT width = single->GetWidth(), height = single->GetHeight();
  double total = 0.0;
  for (UINT y = 0; y < height; ++y) {
    for (UINT x = 0; x < width; ++x) {
      double sum[4] = {};  // alpha, then premultiplied red, green, blue
      for (UINT k = 0; k < 4; ++k) {
        const uint32_t p = large[(2 * y + k / 2) * 2 * width + 2 * x + k % 2];
        const double alpha = p >> 24;
        sum[0] += alpha / 4;
        for (int c = 1; c < 4; ++c) sum[c] += ((p >> (24 - 8 * c)) & 0xFF) * alpha / 255 / 4;
      }
      const uint32_t q = small[y * width + x];
      total += std::abs(sum[0] - (q >> 24));
      for (int c = 1; c < 4; ++c) {
        const double colour = sum[0] > 0 ? sum[c] * 255 / sum[0] : 0.0;
        total += sum[0] > 0 ? std::abs(colour - ((q >> (24 - 8 * c)) & 0xFF)) * sum[0] / 255 : 0.0;
      }
    }
  }
  return total / (4.0 * width * height);
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
  auto about = static_cast<HBITMAP>(LoadImageA(instance, MAKEINTRESOURCEA(two.ImageResourceId(112)),
                                               IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  ASSERT_NE(about, nullptr);
  BITMAP info{};
  GetObjectA(about, sizeof info, &info);
  EXPECT_EQ((std::vector<LONG>{info.bmWidth, info.bmHeight, info.bmBitsPixel}),
            (std::vector<LONG>{880, 898, 32}));
  DeleteObject(about);
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
