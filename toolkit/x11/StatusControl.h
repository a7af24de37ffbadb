#pragma once

#include "toolkit/core/StatusText.h"
#include "toolkit/x11/Control.h"

namespace X11Toolkit {

// The one-line status display in white "Arial" over the background. SetText is also
// called from the host's audio and parameter threads: it copies the text and marks
// the window for the next pump's paint.
class StatusControl final : public Control {
 public:
  explicit StatusControl(const Image& background_) : Control(background_) {}

  void Draw(cairo_t* cairo) override;
  void SetText(const char* newText);
  const char* GetText() const { return text.Get(); }

 private:
  ToolkitCore::StatusText text;
};

}  // namespace X11Toolkit
