#include "editor/QuorvelDelayView.h"

#include <shellapi.h>

#include "delay/DelayParameterTable.h"
#include "toolkit/Gdiplus.h"
#include "toolkit/IncrementButton.h"
#include "toolkit/Knob.h"
#include "toolkit/Multiswitch.h"
#include "toolkit/StatusControl.h"

namespace {

using namespace WindowsToolkit;

enum class ControlKind { kKnob, kSwitch, kSelector };

struct ControlPlacement {
  ControlKind kind;
  int32_t parameter;
  int x;
  int y;
  float defaultValue;  // applied at creation and by Ctrl+click
};

constexpr float DefaultOf(int32_t parameter) {
  return kDelayParameterRows[parameter].info.defaultValue;
}

// In creation order. The positions match the labels on the background picture.
constexpr ControlPlacement kPlacements[] = {
    {ControlKind::kSwitch, DelayParameter::kEnabled, 343, 229, DefaultOf(DelayParameter::kEnabled)},
    {ControlKind::kKnob, DelayParameter::kLeftDelay, 65, 139, DefaultOf(DelayParameter::kLeftDelay)},
    // Ctrl+click turns sync on, although new programs start with it off.
    {ControlKind::kSwitch, DelayParameter::kSync, 79, 229, 0.5f},
    {ControlKind::kKnob, DelayParameter::kRightDelay, 123, 139, DefaultOf(DelayParameter::kRightDelay)},
    {ControlKind::kSelector, DelayParameter::kLeftSync, 144, 221, DefaultOf(DelayParameter::kLeftSync)},
    {ControlKind::kSelector, DelayParameter::kRightSync, 144, 256, DefaultOf(DelayParameter::kRightSync)},
    {ControlKind::kKnob, DelayParameter::kFeedback, 179, 139, DefaultOf(DelayParameter::kFeedback)},
    {ControlKind::kSwitch, DelayParameter::kFilter, 343, 109, DefaultOf(DelayParameter::kFilter)},
    {ControlKind::kKnob, DelayParameter::kCutoff, 390, 139, DefaultOf(DelayParameter::kCutoff)},
    {ControlKind::kSwitch, DelayParameter::kFilterType, 343, 148, DefaultOf(DelayParameter::kFilterType)},
    {ControlKind::kSwitch, DelayParameter::kPan, 266, 125, DefaultOf(DelayParameter::kPan)},
    {ControlKind::kKnob, DelayParameter::kMix, 390, 241, DefaultOf(DelayParameter::kMix)},
};

// Each button sits just left of the selector it steps, a little below its top.
constexpr int kLeftSyncButtonTop = 227;
constexpr int kRightSyncButtonTop = 262;

constexpr RECT kTitleRect{30, 32, 296, 70};

enum ResourceId : int {
  kBackgroundPng = 113,
  kKnobPng = 114,
  kSwitchPng = 115,
  kButtonPng = 116,
  kSelectorPng = 117
};

const char kAboutDialogTemplate[] = "AboutDialog";
constexpr WORD kWebButton = 55;
const char kWebPage[] = "https://quorvel.example/delay";

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
  backgroundImage.LoadFromResource(kBackgroundPng, instance);
  knobImage.LoadFromResource(kKnobPng, instance);
  switchImage.LoadFromResource(kSwitchPng, instance);
  selectorImage.LoadFromResource(kSelectorPng, instance);
  buttonImage.LoadFromResource(kButtonPng, instance);
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
  const struct {
    int top;
    int32_t stepped;
  } buttons[] = {{kLeftSyncButtonTop, DelayParameter::kLeftSync},
                 {kRightSyncButtonTop, DelayParameter::kRightSync}};
  for (const auto& button : buttons) {
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
  rect = kTitleRect;
}

void QuorvelDelayView::ShowAboutDialog() {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd, GWLP_HINSTANCE));
  DialogBoxParamA(instance, kAboutDialogTemplate, hwnd, AboutDialogProc, 0);
}
