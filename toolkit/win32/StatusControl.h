#pragma once

#include <cstddef>
#include <cstdint>

#include "toolkit/win32/Control.h"
#include "toolkit/core/Geometry.h"
#include "toolkit/core/StatusText.h"

namespace WindowsToolkit {

// The one-line status display: white text resting on the bottom of the control,
// drawn transparently over the background. SetText is also called from the host's
// audio and parameter threads; it only copies the text and invalidates the window.
class StatusControl final : public Control {
 public:
  static constexpr const char* kClassName = "QuorvelWindowsToolkitStatusControl";
  static constexpr size_t kMaxTextLength = ToolkitCore::StatusText::kMaxLength;

  // Where the line lies in the view and how large its text is, in device pixels;
  // by default the logical ones.
  struct Placement {
    ToolkitCore::Area area = ToolkitCore::kStatusArea;
    int32_t fontHeight = ToolkitCore::StatusText::kFontHeight;
    int32_t bottomInset = ToolkitCore::StatusText::kBottomInset;
  };

  ~StatusControl() override;

  int OnEraseBackground(HDC hdc) override;
  void Draw(Gdiplus::Graphics& graphics) override;

  // Shows `newText` (null shows nothing), cut to its first 511 characters.
  void SetText(const char* newText);
  const char* GetText() const { return text.Get(); }

 private:
  friend StatusControl* CreateStatusControl(const ResourceImage*, HWND, HINSTANCE, const Placement&);
  StatusControl(const ResourceImage* background_, const Placement& placement);

  const int32_t fontHeight;
  const int32_t bottomInset;
  const char* const fontFace = ToolkitCore::StatusText::kFontFace;
  const COLORREF textColour = RGB(ToolkitCore::StatusText::kColour[0], ToolkitCore::StatusText::kColour[1],
                                  ToolkitCore::StatusText::kColour[2]);
  ToolkitCore::StatusText text;
  HFONT font = nullptr;
};

// Creates the status line with no text, by default at its logical place, (305, 34),
// 145 x 25. Returns null without a window.
StatusControl* CreateStatusControl(const ResourceImage* background, HWND parent, HINSTANCE instance,
                                   const StatusControl::Placement& placement = StatusControl::Placement());

}  // namespace WindowsToolkit
