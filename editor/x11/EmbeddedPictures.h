#pragma once

#include <cstdint>

#include "editor/QuorvelDelayLayout.h"
#include "toolkit/x11/Image.h"

namespace QuorvelDelayPictures {

// The PNG bytes of an editor image, built into the module from the same files the
// Windows resources hold: drawn at `zoom` 2 (the "@2x" files) or, for any other
// zoom, at 1.
X11Toolkit::EmbeddedBytes Of(QuorvelDelayLayout::Picture picture, int32_t zoom = 1);
// The About box's picture, the same way.
X11Toolkit::EmbeddedBytes About(int32_t zoom = 1);

}  // namespace QuorvelDelayPictures
