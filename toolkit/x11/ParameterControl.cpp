#include "toolkit/x11/ParameterControl.h"

#include <utility>

#include "toolkit/core/Geometry.h"
#include "toolkit/x11/Connection.h"
#include "toolkit/x11/FrameStrip.h"

namespace X11Toolkit {

namespace {

ToolkitCore::Modifiers ModifiersOf(unsigned int state) {
  return ToolkitCore::Modifiers{(state & ControlMask) != 0, (state & ShiftMask) != 0};
}

}  // namespace

ParameterControl::ParameterControl(const Image& background_, const FrameStrip& strip_, Window& view_,
                                   int32_t parameterIndex_, std::unique_ptr<ToolkitCore::ParameterLogic> logic_)
    : Control(background_), parameterIndex(parameterIndex_), strip(strip_), view(view_), logic(std::move(logic_)) {}

void ParameterControl::OnButtonPress(const XButtonEvent& event) {
  if (event.button == Button1) {
    hoverArmed = false;
    Apply(logic->Press(ModifiersOf(event.state), event.x, event.y));
  } else if (event.button == Button3) {
    Notify(ToolkitCore::Notification::kRightClicked);
  }
}

void ParameterControl::OnButtonRelease(const XButtonEvent& event) {
  if (event.button == Button1) Apply(logic->Release());
}

void ParameterControl::OnMotion(const XMotionEvent& event) {
  if (logic->IsInGesture() && (event.state & Button1Mask) != 0) {
    Apply(logic->Drag(ModifiersOf(event.state), event.x, event.y));
  } else {
    ArmHover();
  }
}

void ParameterControl::OnEnter(const XCrossingEvent&) {
  ArmHover();
}

void ParameterControl::OnLeave(const XCrossingEvent& event) {
  // The crossings of a grab starting or ending are no movement of the pointer; but a
  // drag whose grab another took, or that ended without the release, is over.
  if (event.mode == NotifyGrab || event.mode == NotifyUngrab) Apply(logic->Release());
  if (event.mode != NotifyNormal) return;
  hoverArmed = false;
  Notify(ToolkitCore::Notification::kLeave);
}

void ParameterControl::OnTick(std::chrono::steady_clock::time_point now) {
  if (!hoverArmed || now < hoverAt) return;
  hoverArmed = false;
  Notify(ToolkitCore::Notification::kHover);
}

void ParameterControl::Draw(cairo_t* cairo) {
  strip.DrawFrame(cairo, logic->GetPosition());
}

void ParameterControl::SetValue(float value, bool notify) {
  Apply(logic->SetValue(value, notify));
}

void ParameterControl::Step() {
  Apply(logic->Step());
}

long ParameterControl::EventMask() const {
  return Window::EventMask() | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | EnterWindowMask |
         LeaveWindowMask;
}

void ParameterControl::Apply(ToolkitCore::Outcome outcome) {
  outcome.Report([this](ToolkitCore::Notification notification) { Notify(notification); });
  if (outcome.repaint) Invalidate();
}

void ParameterControl::Notify(ToolkitCore::Notification notification) {
  if (GetConnection() != nullptr && GetId() != 0) GetConnection()->Post(view, notification, parameterIndex, *this);
}

void ParameterControl::ArmHover() {
  hoverArmed = true;
  hoverAt = std::chrono::steady_clock::now() + std::chrono::milliseconds(ToolkitCore::kHoverMilliseconds);
}

}  // namespace X11Toolkit
