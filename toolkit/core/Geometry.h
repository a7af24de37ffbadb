#pragma once

#include <cstdint>

#include "toolkit/core/Area.h"

namespace ToolkitCore {

// The fixed places of the toolkit's own controls, in the view's client pixels. Every
// geometric constant of the editor lives here or in the editor's layout table.
constexpr int32_t kIncrementButtonLeft = 116;  // both buttons of the editor sit at this x
constexpr Area kStatusArea{305, 34, 305 + 145, 34 + 25};

// The hover time after which a resting pointer shows a control's status text.
constexpr int32_t kHoverMilliseconds = 200;

}  // namespace ToolkitCore
