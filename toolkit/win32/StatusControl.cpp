#include "toolkit/win32/StatusControl.h"

namespace WindowsToolkit {

StatusControl::StatusControl(const ResourceImage* background_, const Placement& placement)
    : Control(background_), fontHeight(placement.fontHeight), bottomInset(placement.bottomInset) {
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
  area.bottom -= bottomInset;
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

StatusControl* CreateStatusControl(const ResourceImage* background, HWND parent, HINSTANCE instance,
                                   const StatusControl::Placement& placement) {
  auto* status = new StatusControl(background, placement);
  const ToolkitCore::Area& area = placement.area;
  return StatusControl::CreateToolkitWindow(status, StatusControl::kClassName, area.left, area.top, area.Width(),
                                            area.Height(), parent, instance)
             ? status
             : nullptr;
}

}  // namespace WindowsToolkit
