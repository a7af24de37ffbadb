#pragma once

#include "editor/QuorvelDelayLayout.h"
#include "toolkit/x11/Image.h"

namespace QuorvelDelayPictures {

// The PNG bytes of an editor image, built into the module from the same files the
// Windows resources hold.
X11Toolkit::EmbeddedBytes Of(QuorvelDelayLayout::Picture picture);
// The About box's picture.
X11Toolkit::EmbeddedBytes About();

}  // namespace QuorvelDelayPictures
