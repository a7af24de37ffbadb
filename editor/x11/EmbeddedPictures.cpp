#include "editor/x11/EmbeddedPictures.h"

#include <cstddef>

namespace QuorvelDelayPictures {

// Defined in the source the build generates from resources/*.png.
extern const unsigned char kBackground[];
extern const std::size_t kBackground_size;
extern const unsigned char kKnob[];
extern const std::size_t kKnob_size;
extern const unsigned char kSwitch[];
extern const std::size_t kSwitch_size;
extern const unsigned char kButton[];
extern const std::size_t kButton_size;
extern const unsigned char kSelector[];
extern const std::size_t kSelector_size;
extern const unsigned char kAbout[];
extern const std::size_t kAbout_size;

X11Toolkit::EmbeddedBytes Of(QuorvelDelayLayout::Picture picture) {
  using QuorvelDelayLayout::Picture;
  switch (picture) {
    case Picture::kBackground:
      return {kBackground, kBackground_size};
    case Picture::kKnob:
      return {kKnob, kKnob_size};
    case Picture::kSwitch:
      return {kSwitch, kSwitch_size};
    case Picture::kButton:
      return {kButton, kButton_size};
    case Picture::kSelector:
      return {kSelector, kSelector_size};
  }
  return {nullptr, 0};
}

X11Toolkit::EmbeddedBytes About() {
  return {kAbout, kAbout_size};
}

}  // namespace QuorvelDelayPictures
