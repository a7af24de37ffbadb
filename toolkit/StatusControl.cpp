#include "toolkit/StatusControl.h"

namespace WindowsToolkit {

StatusControl::StatusControl(const ResourceImage* background_) : Control(background_) {
  font = CreateFontA(fontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, FF_SWISS | DEFAULT_PITCH, fontFace);
}

StatusControl::~StatusControl() {
  if (font != nullptr) DeleteObject(font);
}

int StatusControl::OnEraseBackground(HDC) {
  return 1;
}

void StatusControl::Draw(Gdiplus::Graphics& graphics) {
  HDC dc = graphics.GetHDC();
  if (dc == nullptr) return;
  HGDIOBJ previousFont = SelectObject(dc, font);
  RECT area{};
  GetClientRect(hwnd, &area);
  area.bottom -= ToolkitCore::StatusText::kBottomInset;
  SetTextColor(dc, textColour);
  SetBkMode(dc, TRANSPARENT);
  DrawTextA(dc, text.Get(), -1, &area, DT_SINGLELINE | DT_BOTTOM);
  SelectObject(dc, previousFont);
  graphics.ReleaseHDC(dc);
}

void StatusControl::SetText(const char* newText) {
  text.Set(newText);
  Invalidate();
}

StatusControl* CreateStatusControl(const ResourceImage* background, HWND parent, HINSTANCE instance) {
  auto* status = new StatusControl(background);
  return StatusControl::CreateToolkitWindow(status, StatusControl::kClassName, StatusControl::kLeft,
                                            StatusControl::kTop, StatusControl::kWidth,
                                            StatusControl::kHeight, parent, instance)
             ? status
             : nullptr;
}

}  // namespace WindowsToolkit
