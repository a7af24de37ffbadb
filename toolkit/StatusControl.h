#pragma once

#include <cstddef>
#include <cstdint>

#include "toolkit/Control.h"
#include "toolkit/core/Geometry.h"
#include "toolkit/core/StatusText.h"

namespace WindowsToolkit {

// The one-line status display: white text resting on the bottom of the control,
// drawn transparently over the background. SetText is also called from the host's
// audio and parameter threads; it only copies the text and invalidates the window.
class StatusControl final : public Control {
 public:
  static constexpr const char* kClassName = "QuorvelWindowsToolkitStatusControl";
  static constexpr int kLeft = ToolkitCore::kStatusArea.left;
  static constexpr int kTop = ToolkitCore::kStatusArea.top;
  static constexpr int kWidth = ToolkitCore::kStatusArea.Width();
  static constexpr int kHeight = ToolkitCore::kStatusArea.Height();
  static constexpr size_t kMaxTextLength = ToolkitCore::StatusText::kMaxLength;

  ~StatusControl() override;

  int OnEraseBackground(HDC hdc) override;
  void Draw(Gdiplus::Graphics& graphics) override;

  // Shows `newText` (null shows nothing), cut to its first 511 characters.
  void SetText(const char* newText);
  const char* GetText() const { return text.Get(); }

 private:
  friend StatusControl* CreateStatusControl(const ResourceImage*, HWND, HINSTANCE);
  explicit StatusControl(const ResourceImage* background_);

  const int32_t fontHeight = ToolkitCore::StatusText::kFontHeight;
  const char* const fontFace = ToolkitCore::StatusText::kFontFace;
  const COLORREF textColour = RGB(ToolkitCore::StatusText::kColour[0], ToolkitCore::StatusText::kColour[1],
                                  ToolkitCore::StatusText::kColour[2]);
  ToolkitCore::StatusText text;
  HFONT font = nullptr;
};

// Creates the status line at its fixed place, (305, 34), 145 x 25, with no text.
// Returns null without a window.
StatusControl* CreateStatusControl(const ResourceImage* background, HWND parent, HINSTANCE instance);

}  // namespace WindowsToolkit
