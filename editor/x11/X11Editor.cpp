#include "editor/x11/X11Editor.h"

#include <cstdint>

#include "delay/QuorvelDelayDescription.h"
#include "editor/ScaledLayout.h"
#include "editor/x11/QuorvelDelayX11View.h"
#include "instance/InstanceCore.h"
#include "toolkit/x11/Connection.h"
#include "toolkit/x11/ErrorTrap.h"

namespace {
constexpr XID kLargestWindowId = 0x1FFFFFFF;
}  // namespace

X11Editor::X11Editor(VstToolkit::InstanceCore& core_) : core(core_) {
  core.SetUserPrompts(prompts);
}

X11Editor::~X11Editor() {
  Close();
}

VstToolkit::EditorSize X11Editor::GetSize() {
  if (view != nullptr) return {view->width, view->height};
  // What the view would have now: hosts size their window from it before opening.
  const ScaledLayout layout(ChooseScale());
  return {layout.ViewWidth(), layout.ViewHeight()};
}

bool X11Editor::Open(VstToolkit::NativeWindow parent) {
  if (connection != nullptr) Close();
  // X window ids are 29-bit numbers; anything wider is no window (a pointer, say).
  if (parent.IsNull() || parent.value > kLargestWindowId) return false;
  parentWindow = static_cast<XID>(parent.value);
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

void X11Editor::Close() {
  if (connection == nullptr) return;
  {
    const X11Toolkit::ErrorTrap trap(connection->GetDisplay());
    CloseView();
  }
  // Dismisses the menus and boxes still open, in a trap of its own.
  connection.reset();
}

void X11Editor::Idle() {
  if (connection == nullptr) return;
  bool rescale = false;
  {
    // One trap for all the idle's requests: painting, notifications and prompts may
    // touch windows the host destroyed without syncing.
    const X11Toolkit::ErrorTrap trap(connection->GetDisplay());
    core.ApplyViewChanges();
    connection->Pump();
    // The desktop's scale changed; a factor the host told stays until it tells another.
    rescale = connection->TakeResourcesChanged() && core.GetHostScaleFactor() <= 0.0f;
  }
  if (rescale) Rescale();
}

void X11Editor::HostScaleFactorChanged() {
  Rescale();
}

Toolkit::ScaleFactor X11Editor::ChooseScale() {
  const float told = core.GetHostScaleFactor();
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
  view->core = &core;
  core.SetView(view.get());
  // Shown at once, before the host's first idle.
  connection->Pump();
  return true;
}

void X11Editor::CloseView() {
  if (view != nullptr && view->core != nullptr) {
    // Detached first, so that nothing reaches the view while its windows go.
    view->core = nullptr;
    core.SetView(nullptr);
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
    core.RequestEditorResize(view->width, view->height);
  } else {
    Close();
  }
}
