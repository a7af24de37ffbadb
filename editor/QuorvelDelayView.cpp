#include "editor/QuorvelDelayView.h"

#include <shellapi.h>

#include "editor/QuorvelDelayLayout.h"
#include "toolkit/Gdiplus.h"
#include "toolkit/IncrementButton.h"
#include "toolkit/Knob.h"
#include "toolkit/Multiswitch.h"
#include "toolkit/StatusControl.h"

namespace {

using namespace WindowsToolkit;

using namespace QuorvelDelayLayout;

int ResourceOf(Picture picture) {
  return static_cast<int>(picture);
}

const char kAboutDialogTemplate[] = "AboutDialog";
constexpr WORD kWebButton = 55;

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message != WM_COMMAND) return FALSE;
  switch (LOWORD(wParam)) {
    case IDOK:
    case IDCANCEL:
      EndDialog(dialog, LOWORD(wParam));
      return TRUE;
    case kWebButton:
      // The browser opens beside the dialog, which stays for the user to close.
      ShellExecuteA(dialog, "open", kWebPage, nullptr, nullptr, SW_SHOWNORMAL);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

QuorvelDelayView* QuorvelDelayView::Create(HWND parent, HINSTANCE instance) {
  return CreateQuorvelDelayView(parent, instance);
}

QuorvelDelayView* CreateQuorvelDelayView(HWND parent, HINSTANCE instance) {
  auto* view = new QuorvelDelayView;
  view->LoadImages(instance);
  const auto w = static_cast<int>(view->backgroundImage.GetWidth());
  const auto h = static_cast<int>(view->backgroundImage.GetHeight());
  if (!Window::CreateToolkitWindow(view, QuorvelDelayView::kClassName, 0, 0, w, h, parent, instance)) {
    return nullptr;
  }
  view->CreateControls(instance);
  return view;
}

void QuorvelDelayView::LoadImages(HINSTANCE instance) {
  // A missing image leaves its controls without size or face; the editor still opens.
  backgroundImage.LoadFromResource(ResourceOf(Picture::kBackground), instance);
  knobImage.LoadFromResource(ResourceOf(kKnobStrip.picture), instance);
  switchImage.LoadFromResource(ResourceOf(kSwitchStrip.picture), instance);
  selectorImage.LoadFromResource(ResourceOf(kSelectorStrip.picture), instance);
  buttonImage.LoadFromResource(ResourceOf(kButtonStrip.picture), instance);
}

void QuorvelDelayView::CreateControls(HINSTANCE instance) {
  for (const ControlPlacement& place : kPlacements) {
    ParameterControl* control = nullptr;
    switch (place.kind) {
      case ControlKind::kKnob:
        control = CreateKnob(&backgroundImage, place.parameter, place.defaultValue, &knobStrip, place.x,
                             place.y, hwnd, instance);
        break;
      case ControlKind::kSwitch:
      case ControlKind::kSelector:
        control = CreateMultiswitch(&backgroundImage, place.parameter, place.defaultValue,
                                    place.kind == ControlKind::kSwitch ? &switchStrip : &selectorStrip,
                                    place.x, place.y, hwnd, instance);
        break;
    }
    AddParameterControl(control);
  }
  for (const ButtonPlacement& button : kButtons) {
    IncrementButton* created =
        CreateIncrementButton(&backgroundImage, &buttonStrip, button.top, hwnd, instance);
    if (created != nullptr) created->target = GetParameterControl(button.stepped);
  }
  statusControl = CreateStatusControl(&backgroundImage, hwnd, instance);
}

int QuorvelDelayView::OnPaint(HDC hdc) {
  Gdiplus::Bitmap* background = backgroundImage.GetBitmap();
  if (background != nullptr) {
    Gdiplus::Graphics graphics(hdc);
    graphics.DrawImage(background, 0, 0, 0, 0, static_cast<INT>(backgroundImage.GetWidth()),
                       static_cast<INT>(backgroundImage.GetHeight()), Gdiplus::UnitPixel);
  }
  return 1;
}

int QuorvelDelayView::OnDestroy() {
  View::OnDestroy();
  statusControl = nullptr;  // its window goes next
  return 1;
}

void QuorvelDelayView::SetStatusText(const char* text) {
  if (statusControl != nullptr) statusControl->SetText(text);
}

void QuorvelDelayView::GetTitleRect(RECT& rect) {
  rect = RECT{kTitleArea.left, kTitleArea.top, kTitleArea.right, kTitleArea.bottom};
}

void QuorvelDelayView::ShowAboutDialog() {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd, GWLP_HINSTANCE));
  DialogBoxParamA(instance, kAboutDialogTemplate, hwnd, AboutDialogProc, 0);
}
