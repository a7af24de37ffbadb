#pragma once

#include <cairo/cairo.h>

#include <cstdint>

#include "toolkit/core/Area.h"

namespace X11Toolkit {

// The look of the editor's menus and boxes: the colours and face of a plain desktop.
class Theme final {
 public:
  struct Colour {
    double r, g, b;
  };
  static constexpr const char* kFace = "Arial";
  static constexpr int32_t kTextHeight = 15;  // logical pixels
  static constexpr Colour kFace3D{0.94, 0.94, 0.94};
  static constexpr Colour kShadow{0.50, 0.50, 0.50};
  static constexpr Colour kText{0.0, 0.0, 0.0};
  static constexpr Colour kHighlight{0.0, 0.47, 0.84};
  static constexpr Colour kHighlightText{1.0, 1.0, 1.0};
  static constexpr Colour kWarning{0.98, 0.78, 0.10};

  static void SetColour(cairo_t* cairo, Colour colour);
  static void Fill(cairo_t* cairo, Colour colour, const ToolkitCore::Area& area);
  // A one-pixel outline just inside `area`.
  static void Frame(cairo_t* cairo, Colour colour, const ToolkitCore::Area& area);
};

}  // namespace X11Toolkit
