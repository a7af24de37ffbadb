#include "editor/x11/X11Editor.h"

#include <cstdint>

#include "delay/QuorvelDelayDescription.h"
#include "editor/ScaledLayout.h"
#include "editor/x11/QuorvelDelayX11View.h"
#include "host/Controller.h"
#include "toolkit/x11/Connection.h"
#include "toolkit/x11/ErrorTrap.h"

namespace {
constexpr XID kLargestWindowId = 0x1FFFFFFF;
}  // namespace

X11Editor::X11Editor(VstToolkit::Controller* owner)
    : AEffEditor(owner),
      controller(owner),
      rect{0, 0, static_cast<VstInt16>(kQuorvelDelayEditorHeight), static_cast<VstInt16>(kQuorvelDelayEditorWidth)} {
  controller->SetUserPrompts(prompts);
}

X11Editor::~X11Editor() {
  close();
}

bool X11Editor::getRect(ERect** result) {
  if (result == nullptr) return false;
  if (view == nullptr) {
    // What the view would have now: hosts size their window from it before opening.
    const ScaledLayout layout(ChooseScale());
    rect = ERect{0, 0, static_cast<VstInt16>(layout.ViewHeight()), static_cast<VstInt16>(layout.ViewWidth())};
  }
  *result = &rect;
  return true;
}

bool X11Editor::open(void* parent) {
  if (view != nullptr) close();
  systemWindow = parent;
  // X window ids are 29-bit numbers; anything wider is no window (a pointer, say).
  parentWindow = static_cast<XID>(reinterpret_cast<uintptr_t>(parent));
  if (parentWindow == 0 || parentWindow > kLargestWindowId) return false;
  connection.reset(X11Toolkit::Connection::Open());
  if (connection == nullptr) return false;
  bool opened = false;
  {
    const X11Toolkit::ErrorTrap trap(connection->GetDisplay());
    connection->WatchResources();
    opened = OpenView(ChooseScale());
  }
  if (!opened) connection.reset();
  return opened;
}

void X11Editor::close() {
  systemWindow = nullptr;
  if (connection == nullptr) return;
  {
    const X11Toolkit::ErrorTrap trap(connection->GetDisplay());
    CloseView();
  }
  // Dismisses the menus and boxes still open, in a trap of its own.
  connection.reset();
}

void X11Editor::idle() {
  if (connection == nullptr) return;
  bool rescale = false;
  {
    // One trap for all the idle's requests: painting, notifications and prompts may
    // touch windows the host destroyed without syncing.
    const X11Toolkit::ErrorTrap trap(connection->GetDisplay());
    controller->ApplyViewChanges();
    connection->Pump();
    // The desktop's scale changed; a factor the host told stays until it tells another.
    rescale = connection->TakeResourcesChanged() && controller->GetHostScaleFactor() <= 0.0f;
  }
  if (rescale) Rescale();
}

void X11Editor::hostScaleFactorChanged() {
  Rescale();
}

Toolkit::ScaleFactor X11Editor::ChooseScale() {
  const float told = controller->GetHostScaleFactor();
  if (told > 0.0f) return Toolkit::ScaleFactor::Choose(told, 0.0);
  // While closed the process's probe asks; no display gives 1x.
  return Toolkit::ScaleFactor::FromDpi(connection != nullptr ? connection->ResourceDpi() : dpiProbe.Read());
}

bool X11Editor::OpenView(Toolkit::ScaleFactor scale) {
  {
    // A host may hand over anything; a parent the server does not know fails here.
    X11Toolkit::ErrorTrap trap(connection->GetDisplay());
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(connection->GetDisplay(), parentWindow, &attributes) != 0 && !trap.Failed()) {
      view = QuorvelDelayX11View::Create(*connection, parentWindow, scale);
    }
    if (trap.Failed()) view.reset();
  }
  if (view == nullptr) return false;
  view->controller = controller;
  controller->SetView(view.get());
  rect.top = static_cast<VstInt16>(view->y);
  rect.left = static_cast<VstInt16>(view->x);
  rect.bottom = static_cast<VstInt16>(view->height);
  rect.right = static_cast<VstInt16>(view->width);
  // Shown at once, before the host's first idle.
  connection->Pump();
  return true;
}

void X11Editor::CloseView() {
  if (view != nullptr && view->controller != nullptr) {
    // Detached first, so that nothing reaches the view while its windows go.
    view->controller = nullptr;
    controller->SetView(nullptr);
  }
  // The host may have destroyed its window, and ours with it, already: the callers'
  // trap hears of it.
  view.reset();
}

void X11Editor::Rescale() {
  // A view the host destroyed along with its window is not made again.
  if (view == nullptr || view->GetId() == 0) return;
  bool reopened = false;
  {
    const X11Toolkit::ErrorTrap trap(connection->GetDisplay());
    const Toolkit::ScaleFactor scale = ChooseScale();
    if (view->scale == scale) return;
    CloseView();
    reopened = OpenView(scale);
  }
  if (reopened) {
    controller->sizeWindow(rect.right - rect.left, rect.bottom - rect.top);
  } else {
    close();
  }
}
