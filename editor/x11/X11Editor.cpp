#include "editor/x11/X11Editor.h"

#include <cstdint>

#include "delay/QuorvelDelayDescription.h"
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
  *result = &rect;
  return true;
}

bool X11Editor::open(void* parent) {
  if (view != nullptr) close();
  systemWindow = parent;
  // X window ids are 29-bit numbers; anything wider is no window (a pointer, say).
  const auto parentWindow = static_cast<XID>(reinterpret_cast<uintptr_t>(parent));
  if (parentWindow == 0 || parentWindow > kLargestWindowId) return false;
  connection.reset(X11Toolkit::Connection::Open());
  if (connection == nullptr) return false;
  {
    // A host may hand over anything; a parent the server does not know fails here.
    X11Toolkit::ErrorTrap trap(connection->GetDisplay());
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(connection->GetDisplay(), parentWindow, &attributes) != 0 && !trap.Failed()) {
      view = QuorvelDelayX11View::Create(*connection, parentWindow);
    }
    if (trap.Failed()) view.reset();
  }
  if (view == nullptr) {
    connection.reset();
    return false;
  }
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

void X11Editor::close() {
  systemWindow = nullptr;
  if (connection == nullptr) return;
  if (view != nullptr && view->controller != nullptr) {
    // Detached first, so that nothing reaches the view while its windows go.
    view->controller = nullptr;
    controller->SetView(nullptr);
  }
  {
    // The host may have destroyed its window, and ours with it, already.
    X11Toolkit::ErrorTrap trap(connection->GetDisplay());
    view.reset();
  }
  connection.reset();
}

void X11Editor::idle() {
  if (connection != nullptr) connection->Pump();
}
