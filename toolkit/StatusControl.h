#pragma once

#include <cstddef>
#include <cstdint>

#include "toolkit/Control.h"

namespace WindowsToolkit {

// The one-line status display: white text resting on the bottom of the control,
// drawn transparently over the background. SetText is also called from the host's
// audio and parameter threads; it only copies the text and invalidates the window.
class StatusControl final : public Control {
 public:
  static constexpr const char* kClassName = "QuorvelWindowsToolkitStatusControl";
  static constexpr int kLeft = 305;
  static constexpr int kTop = 34;
  static constexpr int kWidth = 145;
  static constexpr int kHeight = 25;
  static constexpr size_t kMaxTextLength = 511;

  ~StatusControl() override;

  int OnEraseBackground(HDC hdc) override;
  void Draw(Gdiplus::Graphics& graphics) override;

  // Shows `newText` (null shows nothing), cut to its first 511 characters.
  void SetText(const char* newText);
  const char* GetText() const { return text; }

 private:
  friend StatusControl* CreateStatusControl(const ResourceImage*, HWND, HINSTANCE);
  explicit StatusControl(const ResourceImage* background_);

  const int32_t fontHeight = 15;
  const char* const fontFace = "Arial";
  const COLORREF textColour = RGB(255, 255, 255);
  // The last byte is never written, so a reader racing a writer still finds an end.
  char text[kMaxTextLength + 1] = {};
  HFONT font = nullptr;
};

// Creates the status line at its fixed place, (305, 34), 145 x 25, with no text.
// Returns null without a window.
StatusControl* CreateStatusControl(const ResourceImage* background, HWND parent, HINSTANCE instance);

}  // namespace WindowsToolkit
