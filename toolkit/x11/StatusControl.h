#pragma once

#include <cstdint>

#include "toolkit/core/StatusText.h"
#include "toolkit/x11/Control.h"

namespace X11Toolkit {

// The one-line status display in white "Arial" over the background. SetText is also
// called from the host's audio and parameter threads: it copies the text and marks
// the window for the next pump's paint.
class StatusControl final : public Control {
 public:
  // The font's cell height and the inset below the line, in device pixels.
  explicit StatusControl(const Image& background_, int32_t fontHeight_ = ToolkitCore::StatusText::kFontHeight,
                         int32_t bottomInset_ = ToolkitCore::StatusText::kBottomInset)
      : Control(background_), fontHeight(fontHeight_), bottomInset(bottomInset_) {}

  void Draw(cairo_t* cairo) override;
  void SetText(const char* newText);
  const char* GetText() const { return text.Get(); }

 private:
  ToolkitCore::StatusText text;
  const int32_t fontHeight;
  const int32_t bottomInset;
};

}  // namespace X11Toolkit
