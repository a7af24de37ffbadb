#include "editor/win32/QuorvelDelayView.h"

#include "editor/win32/AboutBox.h"
#include "editor/QuorvelDelayLayout.h"
#include "toolkit/win32/Gdiplus.h"
#include "toolkit/win32/IncrementButton.h"
#include "toolkit/win32/Knob.h"
#include "toolkit/win32/Multiswitch.h"
#include "toolkit/win32/StatusControl.h"

namespace {

using namespace WindowsToolkit;

using namespace QuorvelDelayLayout;

int ResourceOf(Picture picture) {
  return static_cast<int>(picture);
}

}  // namespace

QuorvelDelayView* QuorvelDelayView::Create(HWND parent, HINSTANCE instance, Toolkit::ScaleFactor scale,
                                           VstToolkit::EditorFormat format) {
  return CreateQuorvelDelayView(parent, instance, scale, format);
}

QuorvelDelayView* CreateQuorvelDelayView(HWND parent, HINSTANCE instance, Toolkit::ScaleFactor scale,
                                         VstToolkit::EditorFormat format) {
  auto* view = new QuorvelDelayView(scale);
  view->LoadImages(instance, format);
  const auto w = static_cast<int>(view->backgroundImage.GetWidth());
  const auto h = static_cast<int>(view->backgroundImage.GetHeight());
  if (!Window::CreateToolkitWindow(view, QuorvelDelayView::kClassName, 0, 0, w, h, parent, instance)) {
    return nullptr;
  }
  view->CreateControls(instance);
  return view;
}

void QuorvelDelayView::LoadImages(HINSTANCE instance, VstToolkit::EditorFormat format) {
  // A missing image leaves its controls without size or face; the editor still opens.
  const Toolkit::ScaleFactor& scale = layout.GetScale();
  backgroundImage.LoadFromResource(scale.ImageResourceId(ResourceOf(Picture::kBackground)), instance);
  if (HasFormatPicture(format)) {
    // Laid in before the background is scaled, so the name is scaled with it.
    ResourceImage name;
    if (name.LoadFromResource(scale.ImageResourceId(ResourceOf(FormatPictureOf(format))), instance)) {
      backgroundImage.Paste(name, kFormatNameArea.left * scale.GetImageZoom(), kFormatNameArea.top * scale.GetImageZoom());
    }
  }
  const ScaledLayout::FrameSize view = layout.DeviceBackground();
  backgroundImage.Resize(1, true, view.width, view.height);
  LoadStrip(knobImage, kKnobStrip, instance);
  LoadStrip(switchImage, kSwitchStrip, instance);
  LoadStrip(selectorImage, kSelectorStrip, instance);
  LoadStrip(buttonImage, kButtonStrip, instance);
}

void QuorvelDelayView::LoadStrip(ResourceImage& image, const Strip& strip, HINSTANCE instance) {
  if (!image.LoadFromResource(layout.GetScale().ImageResourceId(ResourceOf(strip.picture)), instance)) return;
  const ScaledLayout::FrameSize frame = layout.DeviceFrame(strip, image.GetWidth(), image.GetHeight());
  image.Resize(strip.frameCount, strip.vertical, frame.width, frame.height);
}

void QuorvelDelayView::CreateControls(HINSTANCE instance) {
  for (const ControlPlacement& place : kPlacements) {
    ParameterControl* control = nullptr;
    switch (place.kind) {
      case ControlKind::kKnob:
        control = CreateKnob(&backgroundImage, place.parameter, place.defaultValue, &knobStrip,
                             layout.ControlLeft(place), layout.ControlTop(place), hwnd, instance, layout.GetScale());
        break;
      case ControlKind::kSwitch:
      case ControlKind::kSelector:
        control = CreateMultiswitch(&backgroundImage, place.parameter, place.defaultValue,
                                    place.kind == ControlKind::kSwitch ? &switchStrip : &selectorStrip,
                                    layout.ControlLeft(place), layout.ControlTop(place), hwnd, instance);
        break;
    }
    AddParameterControl(control);
  }
  for (const ButtonPlacement& button : kButtons) {
    IncrementButton* created = CreateIncrementButton(&backgroundImage, &buttonStrip, layout.ButtonTop(button), hwnd,
                                                     instance, layout.ButtonLeft());
    if (created != nullptr) created->target = GetParameterControl(button.stepped);
  }
  statusControl = CreateStatusControl(&backgroundImage, hwnd, instance,
                                      {layout.StatusArea(), layout.StatusFontHeight(), layout.StatusBottomInset()});
}

int QuorvelDelayView::OnPaint(HDC hdc) {
  Gdiplus::Bitmap* background = backgroundImage.GetBitmap();
  if (background != nullptr) {
    Gdiplus::Graphics graphics(hdc);
    const auto w = static_cast<INT>(backgroundImage.GetWidth()), h = static_cast<INT>(backgroundImage.GetHeight());
    graphics.DrawImage(background, Gdiplus::Rect(0, 0, w, h), 0, 0, w, h, Gdiplus::UnitPixel);
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
  const ToolkitCore::Area title = layout.TitleArea();
  rect = RECT{title.left, title.top, title.right, title.bottom};
}

void QuorvelDelayView::ShowAboutDialog() {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd, GWLP_HINSTANCE));
  AboutBox::Run(hwnd, instance, layout);
}
