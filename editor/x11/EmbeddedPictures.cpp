#include "editor/x11/EmbeddedPictures.h"

#include <cstddef>

namespace QuorvelDelayPictures {

// Defined in the source the build generates from resources/*.png and *@2x.png.
extern const unsigned char kBackground[];
extern const std::size_t kBackground_size;
extern const unsigned char kBackground2x[];
extern const std::size_t kBackground2x_size;
extern const unsigned char kKnob[];
extern const std::size_t kKnob_size;
extern const unsigned char kKnob2x[];
extern const std::size_t kKnob2x_size;
extern const unsigned char kSwitch[];
extern const std::size_t kSwitch_size;
extern const unsigned char kSwitch2x[];
extern const std::size_t kSwitch2x_size;
extern const unsigned char kButton[];
extern const std::size_t kButton_size;
extern const unsigned char kButton2x[];
extern const std::size_t kButton2x_size;
extern const unsigned char kSelector[];
extern const std::size_t kSelector_size;
extern const unsigned char kSelector2x[];
extern const std::size_t kSelector2x_size;
extern const unsigned char kFormatVst3[];
extern const std::size_t kFormatVst3_size;
extern const unsigned char kFormatVst32x[];
extern const std::size_t kFormatVst32x_size;
extern const unsigned char kFormatClap[];
extern const std::size_t kFormatClap_size;
extern const unsigned char kFormatClap2x[];
extern const std::size_t kFormatClap2x_size;
extern const unsigned char kFormatLv2[];
extern const std::size_t kFormatLv2_size;
extern const unsigned char kFormatLv22x[];
extern const std::size_t kFormatLv22x_size;
extern const unsigned char kAbout[];
extern const std::size_t kAbout_size;
extern const unsigned char kAbout2x[];
extern const std::size_t kAbout2x_size;

namespace {

X11Toolkit::EmbeddedBytes AtZoom(int32_t zoom, X11Toolkit::EmbeddedBytes single, X11Toolkit::EmbeddedBytes twice) {
  return zoom == 2 ? twice : single;
}

}  // namespace

X11Toolkit::EmbeddedBytes Of(QuorvelDelayLayout::Picture picture, int32_t zoom) {
  using QuorvelDelayLayout::Picture;
  switch (picture) {
    case Picture::kBackground:
      return AtZoom(zoom, {kBackground, kBackground_size}, {kBackground2x, kBackground2x_size});
    case Picture::kKnob:
      return AtZoom(zoom, {kKnob, kKnob_size}, {kKnob2x, kKnob2x_size});
    case Picture::kSwitch:
      return AtZoom(zoom, {kSwitch, kSwitch_size}, {kSwitch2x, kSwitch2x_size});
    case Picture::kButton:
      return AtZoom(zoom, {kButton, kButton_size}, {kButton2x, kButton2x_size});
    case Picture::kSelector:
      return AtZoom(zoom, {kSelector, kSelector_size}, {kSelector2x, kSelector2x_size});
    case Picture::kFormatVst3:
      return AtZoom(zoom, {kFormatVst3, kFormatVst3_size}, {kFormatVst32x, kFormatVst32x_size});
    case Picture::kFormatClap:
      return AtZoom(zoom, {kFormatClap, kFormatClap_size}, {kFormatClap2x, kFormatClap2x_size});
    case Picture::kFormatLv2:
      return AtZoom(zoom, {kFormatLv2, kFormatLv2_size}, {kFormatLv22x, kFormatLv22x_size});
  }
  return {nullptr, 0};
}

X11Toolkit::EmbeddedBytes About(int32_t zoom) {
  return AtZoom(zoom, {kAbout, kAbout_size}, {kAbout2x, kAbout2x_size});
}

}  // namespace QuorvelDelayPictures
