#include "editor/x11/QuorvelDelayX11View.h"

#include <utility>

#include "editor/ControlNotifications.h"
#include "editor/QuorvelDelayLayout.h"
#include "editor/x11/EmbeddedPictures.h"
#include "editor/x11/WebPageOpener.h"
#include "editor/x11/X11NativeWindow.h"
#include "instance/InstanceCore.h"
#include "toolkit/core/KnobLogic.h"
#include "toolkit/core/MultiswitchLogic.h"
#include "toolkit/x11/Box.h"
#include "toolkit/x11/Connection.h"
#include "toolkit/x11/IncrementButton.h"
#include "toolkit/x11/ParameterControl.h"
#include "toolkit/x11/StatusControl.h"

using namespace QuorvelDelayLayout;

namespace {

enum AboutResult : int32_t { kAboutOk = 1, kAboutCancel = 2, kAboutWeb = 55 };

// The background and the About picture as strips of one frame (only its frame layout counts).
constexpr Strip kWholePicture{Picture::kBackground, 1, true};

}  // namespace

QuorvelDelayX11View::QuorvelDelayX11View(Toolkit::ScaleFactor scale_, VstToolkit::EditorFormat format)
    : layout(scale_),
      backgroundImage(QuorvelDelayPictures::Of(Picture::kBackground, scale_.GetImageZoom())),
      knobImage(QuorvelDelayPictures::Of(kKnobStrip.picture, scale_.GetImageZoom())),
      switchImage(QuorvelDelayPictures::Of(kSwitchStrip.picture, scale_.GetImageZoom())),
      selectorImage(QuorvelDelayPictures::Of(kSelectorStrip.picture, scale_.GetImageZoom())),
      buttonImage(QuorvelDelayPictures::Of(kButtonStrip.picture, scale_.GetImageZoom())),
      knobStrip(&knobImage, kKnobStrip.frameCount, kKnobStrip.vertical),
      switchStrip(&switchImage, kSwitchStrip.frameCount, kSwitchStrip.vertical),
      selectorStrip(&selectorImage, kSelectorStrip.frameCount, kSelectorStrip.vertical),
      buttonStrip(&buttonImage, kButtonStrip.frameCount, kButtonStrip.vertical) {
  scale = scale_;
  if (QuorvelDelayLayout::HasFormatPicture(format)) {
    // Laid in before the background is scaled, so the name is scaled with it.
    const int32_t zoom = scale_.GetImageZoom();
    const X11Toolkit::Image name(QuorvelDelayPictures::Of(QuorvelDelayLayout::FormatPictureOf(format), zoom));
    backgroundImage.Paste(name, QuorvelDelayLayout::kFormatNameArea.left * zoom,
                          QuorvelDelayLayout::kFormatNameArea.top * zoom);
  }
  FitToScale(backgroundImage, kWholePicture);
  FitToScale(knobImage, kKnobStrip);
  FitToScale(switchImage, kSwitchStrip);
  FitToScale(selectorImage, kSelectorStrip);
  FitToScale(buttonImage, kButtonStrip);
}

std::unique_ptr<QuorvelDelayX11View> QuorvelDelayX11View::Create(X11Toolkit::Connection& display, XID parent,
                                                                 Toolkit::ScaleFactor scale,
                                                                 VstToolkit::EditorFormat format) {
  std::unique_ptr<QuorvelDelayX11View> view(new QuorvelDelayX11View(scale, format));
  const ScaledLayout& layout = view->layout;
  if (!view->X11Toolkit::Window::Create(display, parent, 0, 0, layout.ViewWidth(), layout.ViewHeight())) {
    return nullptr;
  }
  view->CreateControls(display);
  return view;
}

void QuorvelDelayX11View::FitToScale(X11Toolkit::Image& image, const Strip& strip) const {
  if (layout.GetScale().DrawsImagesPixelForPixel()) return;
  const ScaledLayout::FrameSize frame = layout.DeviceFrame(strip, image.GetWidth(), image.GetHeight());
  image.Resize(strip.frameCount, strip.vertical, frame.width, frame.height);
}

QuorvelDelayX11View::~QuorvelDelayX11View() {
  // The controls' windows go before the view's, which would take them along.
  parameterControls.clear();
  statusControl = nullptr;
  children.clear();
}

void QuorvelDelayX11View::CreateControls(X11Toolkit::Connection& display) {
  const XID self = GetId();
  for (const ControlPlacement& place : kPlacements) {
    const X11Toolkit::FrameStrip& strip = place.kind == ControlKind::kKnob     ? knobStrip
                                          : place.kind == ControlKind::kSwitch ? switchStrip
                                                                               : selectorStrip;
    std::unique_ptr<ToolkitCore::ParameterLogic> logic;
    if (place.kind == ControlKind::kKnob) {
      logic = std::make_unique<ToolkitCore::KnobLogic>(place.defaultValue, strip.GetFrameCount(), scale);
    } else {
      logic = std::make_unique<ToolkitCore::MultiswitchLogic>(place.defaultValue, strip.GetFrameCount(),
                                                              strip.GetFrameWidth(), strip.GetFrameHeight(),
                                                              strip.IsVertical());
    }
    auto control = std::make_unique<X11Toolkit::ParameterControl>(backgroundImage, strip, *this, place.parameter,
                                                                  std::move(logic));
    if (!control->Create(display, self, layout.ControlLeft(place), layout.ControlTop(place),
                         static_cast<int32_t>(strip.GetFrameWidth()),
                         static_cast<int32_t>(strip.GetFrameHeight()))) {
      continue;
    }
    control->SetValue(place.defaultValue, true);
    parameterControls[place.parameter] = control.get();
    children.push_back(std::move(control));
  }
  for (const ButtonPlacement& place : kButtons) {
    auto button = std::make_unique<X11Toolkit::IncrementButton>(backgroundImage, buttonStrip, ControlOf(place.stepped));
    if (button->Create(display, self, layout.ButtonLeft(), layout.ButtonTop(place),
                       static_cast<int32_t>(buttonStrip.GetFrameWidth()),
                       static_cast<int32_t>(buttonStrip.GetFrameHeight()))) {
      children.push_back(std::move(button));
    }
  }
  auto status =
      std::make_unique<X11Toolkit::StatusControl>(backgroundImage, layout.StatusFontHeight(), layout.StatusBottomInset());
  const ToolkitCore::Area area = layout.StatusArea();
  if (status->Create(display, self, area.left, area.top, area.Width(), area.Height())) {
    statusControl = status.get();
    children.push_back(std::move(status));
  }
  // For the menus opened on them.
  for (const auto& child : children) child->scale = scale;
}

void QuorvelDelayX11View::OnButtonPress(const XButtonEvent& event) {
  if (event.button != Button1 || core == nullptr || !layout.TitleArea().Contains(event.x, event.y)) return;
  core->OnViewTitleClicked(event.x, event.y);
}

void QuorvelDelayX11View::OnClientMessage(const XClientMessageEvent& event) {
  ToolkitCore::Notification notification;
  if (core == nullptr || !GetConnection()->IsNotification(event, notification)) return;
  // Only a control of ours under the index the message names is believed.
  const long index = event.data.l[0];
  if (index < 0 || index > INT32_MAX) return;
  X11Toolkit::ParameterControl* control = ControlOf(static_cast<int32_t>(index));
  if (control == nullptr || static_cast<long>(control->GetId()) != event.data.l[1]) return;
  VstToolkit::DeliverControlNotification(*core, notification, control->parameterIndex, control->GetValue(),
                                         HandleOf(control));
}

void QuorvelDelayX11View::OnDestroyed() {
  // The host destroyed its window, and ours with it, before closing the editor.
  for (const auto& child : children) child->Forget();
  if (core != nullptr) {
    VstToolkit::InstanceCore* detaching = core;
    core = nullptr;
    detaching->SetView(nullptr);
  }
}

void QuorvelDelayX11View::Paint(cairo_t* cairo) {
  backgroundImage.DrawPart(cairo, 0, 0, width, height);
}

void QuorvelDelayX11View::SetStatusText(const char* text) {
  if (statusControl != nullptr) statusControl->SetText(text);
}

bool QuorvelDelayX11View::HasParameterControl(int32_t index) const {
  return ControlOf(index) != nullptr;
}

void QuorvelDelayX11View::SetParameterControlValue(int32_t index, float value) {
  X11Toolkit::ParameterControl* control = ControlOf(index);
  if (control != nullptr) control->SetValue(value, false);
}

void QuorvelDelayX11View::ShowAboutDialog() {
  if (GetConnection() == nullptr || GetId() == 0) return;
  auto picture = std::make_unique<X11Toolkit::Image>(QuorvelDelayPictures::About(scale.GetImageZoom()));
  FitToScale(*picture, kWholePicture);  // to the box's size
  X11Toolkit::BoxContent content{kAboutCaption,
                                 layout.AboutWidth(),
                                 layout.AboutHeight(),
                                 std::move(picture),
                                 {},
                                 {},
                                 false,
                                 {{kWebButtonText, layout.WebButtonArea(), kAboutWeb, false},
                                  {kOkButtonText, layout.OkButtonArea(), kAboutOk, true}},
                                 kAboutCancel,
                                 // The browser opens beside the box, which stays for the user to close.
                                 [](int32_t) { WebPageOpener::Open(kWebPage); }};
  // Nothing waits for the box: it only shows.
  X11Toolkit::Box::Open(*GetConnection(), *this, std::move(content), nullptr);
}

VstToolkit::NativeWindow QuorvelDelayX11View::GetWindowHandle() const {
  return HandleOf(this);
}

long QuorvelDelayX11View::EventMask() const {
  return X11Toolkit::Window::EventMask() | ButtonPressMask;
}

X11Toolkit::ParameterControl* QuorvelDelayX11View::ControlOf(int32_t index) const {
  const auto found = parameterControls.find(index);
  return found != parameterControls.end() ? found->second : nullptr;
}
