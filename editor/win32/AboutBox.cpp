#include "editor/win32/AboutBox.h"

#include <shellapi.h>

#include <initializer_list>

#include "editor/QuorvelDelayLayout.h"
#include "editor/ScaledLayout.h"
#include "toolkit/win32/Gdiplus.h"
#include "toolkit/win32/ResourceImage.h"

namespace {

const char kTemplate[] = "AboutDialog";
constexpr WORD kWebButton = 55;
constexpr int kPictureId = 112;          // the template's BITMAP; its 2x twin, a PNG, at the id plus 100
constexpr int kDialogFontPoints = 8;     // the template's font size
constexpr int kPointsPerInch = 72;

// What the box needs from its opening to its end, and the objects it leaves behind.
struct Session {
  const ScaledLayout* layout;
  HINSTANCE instance;
  HBITMAP picture = nullptr;
  HFONT font = nullptr;
};

// The picture at the scale's size above 1x, from the 2x twin: null where it cannot be made.
HBITMAP ScaledPicture(const Session& session) {
  const ScaledLayout& layout = *session.layout;
  WindowsToolkit::ResourceImage source;
  if (!source.LoadFromResource(layout.GetScale().ImageResourceId(kPictureId), session.instance)) return nullptr;
  source.Resize(1, true, static_cast<uint32_t>(layout.AboutWidth()), static_cast<uint32_t>(layout.AboutHeight()));
  HBITMAP picture = nullptr;
  return source.GetBitmap()->GetHBITMAP(Gdiplus::Color(0, 0, 0), &picture) == Gdiplus::Ok ? picture : nullptr;
}

// The dialog's font at the scale: its points at the scale's DPI.
HFONT ScaledFont(HWND dialog, const ScaledLayout& layout) {
  LOGFONTA font{};
  auto current = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
  if (current == nullptr || GetObjectA(current, sizeof font, &font) == 0) return nullptr;
  const int dpi = MulDiv(96, layout.GetScale().GetQuarters(), Toolkit::ScaleFactor::kQuartersPerUnit);
  font.lfHeight = -MulDiv(kDialogFontPoints, dpi, kPointsPerInch);
  font.lfWidth = 0;
  return CreateFontIndirectA(&font);
}

void Place(HWND window, const ToolkitCore::Area& area) {
  if (window != nullptr) MoveWindow(window, area.left, area.top, area.Width(), area.Height(), FALSE);
}

void Lay(HWND dialog, Session& session) {
  const ScaledLayout& layout = *session.layout;
  RECT frame{0, 0, layout.AboutWidth(), layout.AboutHeight()};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongA(dialog, GWL_EXSTYLE)));
  SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  HWND web = GetDlgItem(dialog, kWebButton), ok = GetDlgItem(dialog, IDOK);
  Place(web, layout.WebButtonArea());
  Place(ok, layout.OkButtonArea());
  HWND picture = FindWindowExA(dialog, nullptr, "Static", nullptr);
  if (layout.GetScale() != Toolkit::ScaleFactor()) {
    session.picture = ScaledPicture(session);
    if (picture != nullptr && session.picture != nullptr) {
      SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(session.picture));
    }
    session.font = ScaledFont(dialog, layout);
    for (HWND button : {web, ok}) {
      if (button != nullptr && session.font != nullptr) {
        SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(session.font), FALSE);
      }
    }
  }
  Place(picture, ToolkitCore::Area{0, 0, layout.AboutWidth(), layout.AboutHeight()});
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    if (lParam != 0) Lay(dialog, *reinterpret_cast<Session*>(lParam));
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  switch (LOWORD(wParam)) {
    case IDOK:
    case IDCANCEL:
      EndDialog(dialog, LOWORD(wParam));
      return TRUE;
    case kWebButton:
      // The browser opens beside the dialog, which stays for the user to close.
      ShellExecuteA(dialog, "open", QuorvelDelayLayout::kWebPage, nullptr, nullptr, SW_SHOWNORMAL);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void AboutBox::Run(HWND owner, HINSTANCE instance, const ScaledLayout& layout) {
  Session session{&layout, instance};
  DialogBoxParamA(instance, kTemplate, owner, AboutDialogProc, reinterpret_cast<LPARAM>(&session));
  // The dialog and its controls are gone; what it showed can go too.
  if (session.picture != nullptr) DeleteObject(session.picture);
  if (session.font != nullptr) DeleteObject(session.font);
}
