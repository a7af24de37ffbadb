#include <string>

#include "tests/toolkit/ToolkitFixture.h"

namespace QuorvelTest {
namespace {

using WindowsToolkit::FrameStrip;
using WindowsToolkit::ResourceImage;

class ResourceTest : public ToolkitTest {
 protected:
  // Draws one frame into an empty bitmap of the frame's size, copying (not blending)
  // so that the result can be compared with the strip pixel for pixel.
  static std::unique_ptr<Gdiplus::Bitmap> Render(const FrameStrip& strip, int32_t index) {
    auto target =
        std::make_unique<Gdiplus::Bitmap>(static_cast<INT>(strip.GetFrameWidth()),
                                          static_cast<INT>(strip.GetFrameHeight()), PixelFormat32bppARGB);
    Gdiplus::Graphics graphics(target.get());
    graphics.Clear(Gdiplus::Color(0, 0, 0, 0));
    graphics.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
    strip.DrawFrame(graphics, index);
    return target;
  }

  // Counts the pixels of `rendered` that differ from the strip's bitmap at (left, top).
  static int Differences(Gdiplus::Bitmap* rendered, Gdiplus::Bitmap* strip, int left, int top) {
    int count = 0;
    for (UINT y = 0; y < rendered->GetHeight(); ++y) {
      for (UINT x = 0; x < rendered->GetWidth(); ++x) {
        Gdiplus::Color got, expected;
        rendered->GetPixel(static_cast<INT>(x), static_cast<INT>(y), &got);
        strip->GetPixel(left + static_cast<INT>(x), top + static_cast<INT>(y), &expected);
        if (got.GetValue() != expected.GetValue()) ++count;
      }
    }
    return count;
  }

  static int Opaque(Gdiplus::Bitmap* image) {
    int count = 0;
    for (UINT y = 0; y < image->GetHeight(); ++y) {
      for (UINT x = 0; x < image->GetWidth(); ++x) {
        Gdiplus::Color colour;
        image->GetPixel(static_cast<INT>(x), static_cast<INT>(y), &colour);
        if (colour.GetA() != 0) ++count;
      }
    }
    return count;
  }
};

TEST_F(ResourceTest, EveryImageLoadsWithItsSizeAndFrameLayout) {
  struct Case {
    const ResourceImage& image;
    const FrameStrip* strip;
    uint32_t width, height, frameWidth, frameHeight;
  };
  const Case cases[] = {
      {background, nullptr, 496, 344, 0, 0},
      {knobImage, &knobStrip, 32, 2912, 32, 32},          // 2912 / 91 = 32
      {switchImage, &switchStrip, 20, 80, 20, 40},        // 80 / 2
      {buttonImage, &buttonStrip, 28, 56, 28, 28},        // 56 / 2
      {selectorImage, &selectorStrip, 700, 40, 140, 40},  // 700 / 5, side by side
  };
  for (const Case& c : cases) {
    ASSERT_NE(c.image.GetBitmap(), nullptr);
    EXPECT_EQ(c.image.GetWidth(), c.width);
    EXPECT_EQ(c.image.GetHeight(), c.height);
    EXPECT_EQ(c.image.GetBitmap()->GetPixelFormat(), PixelFormat32bppARGB);
    if (c.strip == nullptr) continue;
    EXPECT_EQ(c.strip->GetFrameWidth(), c.frameWidth);
    EXPECT_EQ(c.strip->GetFrameHeight(), c.frameHeight);
  }
}

TEST_F(ResourceTest, AFailedLoadLeavesTheHolderAsItWas) {
  Gdiplus::Bitmap* before = background.GetBitmap();
  EXPECT_FALSE(background.LoadFromResource(999, instance));  // no such resource
  EXPECT_FALSE(background.LoadFromResource(112, instance));  // a BITMAP, not a PNG
  EXPECT_EQ(background.GetBitmap(), before);
  EXPECT_EQ(background.GetWidth(), 496u);

  ResourceImage empty;
  EXPECT_FALSE(empty.LoadFromResource(999, instance));
  EXPECT_EQ(empty.GetBitmap(), nullptr);

  // A successful load replaces the previous image; Release empties the holder for good.
  ASSERT_TRUE(background.LoadFromResource(115, instance));
  EXPECT_EQ(background.GetWidth(), 20u);
  background.Release();
  background.Release();
  EXPECT_EQ(background.GetBitmap(), nullptr);
  EXPECT_EQ(background.GetHeight(), 0u);
}

TEST_F(ResourceTest, StripsWithoutFramesOrBitmapHaveNoSizeAndDrawNothing) {
  ResourceImage empty;
  const FrameStrip noFrames(&knobImage, 0, true);
  const FrameStrip noBitmap(&empty, 5, false);
  const FrameStrip noImage(nullptr, 2, true);
  for (const FrameStrip* strip : {&noFrames, &noBitmap, &noImage}) {
    EXPECT_EQ(strip->GetFrameWidth(), 0u);
    EXPECT_EQ(strip->GetFrameHeight(), 0u);
  }
  Gdiplus::Bitmap target(32, 32, PixelFormat32bppARGB);
  Gdiplus::Graphics graphics(&target);
  graphics.Clear(Gdiplus::Color(0, 0, 0, 0));
  noBitmap.DrawFrame(graphics, 0);
  noImage.DrawFrame(graphics, 0);
  EXPECT_EQ(Opaque(&target), 0);
}

TEST_F(ResourceTest, DrawFrameCopiesExactlyItsFrame) {
  // Frame 3 of the selector starts at x 3 x 140 = 420; frame 90 of the knob at y 90 x 32 = 2880.
  EXPECT_EQ(Differences(Render(selectorStrip, 3).get(), selectorImage.GetBitmap(), 420, 0), 0);
  EXPECT_EQ(Differences(Render(knobStrip, 90).get(), knobImage.GetBitmap(), 0, 2880), 0);
  EXPECT_EQ(Differences(Render(knobStrip, 0).get(), knobImage.GetBitmap(), 0, 0), 0);
  EXPECT_EQ(Differences(Render(switchStrip, 1).get(), switchImage.GetBitmap(), 0, 40), 0);
  EXPECT_EQ(Differences(Render(buttonStrip, 1).get(), buttonImage.GetBitmap(), 0, 28), 0);
  // Indices outside the strip draw nothing rather than whatever lies beside it.
  EXPECT_EQ(Opaque(Render(knobStrip, 91).get()), 0);
  EXPECT_EQ(Opaque(Render(selectorStrip, -1).get()), 0);
}

TEST_F(ResourceTest, TheAboutPictureIsA32BitBitmapOfItsDialogSize) {
  auto picture = static_cast<HBITMAP>(
      LoadImageA(instance, MAKEINTRESOURCEA(112), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  ASSERT_NE(picture, nullptr);
  BITMAP info{};
  GetObjectA(picture, sizeof info, &info);
  EXPECT_EQ(info.bmWidth, 440);
  EXPECT_EQ(info.bmHeight, 449);
  EXPECT_EQ(info.bmBitsPixel, 32);
  DeleteObject(picture);
}

TEST_F(ResourceTest, TheAboutDialogTemplateIsUsEnglishWithItsThreeItems) {
  HRSRC resource = FindResourceExA(instance, MAKEINTRESOURCEA(5) /* RT_DIALOG */, "AboutDialog",
                                   MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
  ASSERT_NE(resource, nullptr);
  const auto* dialog = static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(instance, resource)));
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->style,
            static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT));
  EXPECT_EQ(dialog->dwExtendedStyle, 0u);
  EXPECT_EQ(dialog->cdit, 3);
  EXPECT_EQ((std::vector<int>{dialog->x, dialog->y, dialog->cx, dialog->cy}),
            (std::vector<int>{0, 0, 293, 276}));

  // Built for real: the caption, the picture and the two buttons with their ids.
  HWND about = CreateDialogParamA(
      instance, "AboutDialog", parent->hwnd, [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
  ASSERT_NE(about, nullptr);
  char text[64] = {};
  GetWindowTextA(about, text, sizeof text);
  EXPECT_STREQ(text, "About Quorvel Delay");
  GetWindowTextA(GetDlgItem(about, 55), text, sizeof text);
  EXPECT_STREQ(text, "Visit Website");
  GetWindowTextA(GetDlgItem(about, IDOK), text, sizeof text);
  EXPECT_STREQ(text, "OK");
  HWND picture = GetDlgItem(about, 0xFFFF);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(GetWindowLongA(picture, GWL_STYLE) & SS_TYPEMASK, SS_BITMAP);
  EXPECT_NE(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
  DestroyWindow(about);
}

TEST_F(ResourceTest, TheManifestAsksToRunAsTheInvoker) {
  HRSRC resource = FindResourceA(instance, MAKEINTRESOURCEA(2), MAKEINTRESOURCEA(24) /* RT_MANIFEST */);
  ASSERT_NE(resource, nullptr);
  const auto* bytes = static_cast<const char*>(LockResource(LoadResource(instance, resource)));
  const std::string manifest(bytes, SizeofResource(instance, resource));
  EXPECT_NE(manifest.find("requestedExecutionLevel level=\"asInvoker\""), std::string::npos);
}

}  // namespace
}  // namespace QuorvelTest
