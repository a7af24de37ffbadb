#include "editor/x11/X11Editor.h"

#include "editor/x11/QuorvelDelayX11View.h"
#include "instance/InstanceCore.h"
#include "toolkit/x11/Connection.h"
#include "toolkit/x11/ErrorTrap.h"

namespace {
constexpr XID kLargestWindowId = 0x1FFFFFFF;
}  // namespace

X11Editor::X11Editor(VstToolkit::InstanceCore& core_, VstToolkit::EditorFormat format_)
    : EditorLifecycle(core_, format_) {
  core.SetUserPrompts(prompts);
}

X11Editor::~X11Editor() {
  Close();
}

double X11Editor::MeasureDpi() {
  // While closed the process's probe asks, in a trap of its own; no display gives 1x.
  if (connection == nullptr) return dpiProbe.Read();
  // Inside the host call's trap this one costs nothing; the size asked after the host
  // destroyed the view has no other.
  const X11Toolkit::ErrorTrap trap(connection->GetDisplay());
  return connection->ResourceDpi();
}

int32_t X11Editor::EventDescriptor() const {
  return connection != nullptr ? ConnectionNumber(connection->GetDisplay()) : -1;
}

VstToolkit::NativeWindow X11Editor::ViewWindow() const {
  return view != nullptr && ViewAlive() ? VstToolkit::NativeWindow{view->GetId()} : VstToolkit::NativeWindow{};
}

bool X11Editor::Connect(VstToolkit::NativeWindow parent) {
  // X window ids are 29-bit numbers; anything wider is no window (a pointer, say).
  if (parent.IsNull() || parent.value > kLargestWindowId) return false;
  parentWindow = static_cast<XID>(parent.value);
  connection.reset(X11Toolkit::Connection::Open());
  if (connection == nullptr) return false;
  // Selects on the root window, which cannot fail; the open's trap syncs it all the same.
  connection->WatchResources();
  return true;
}

void X11Editor::Disconnect() {
  // Dismisses the menus and boxes still open, in a trap of its own.
  connection.reset();
}

VstToolkit::ViewLink* X11Editor::MakeView(Toolkit::ScaleFactor scale) {
  {
    // A host may hand over anything; a parent the server does not know fails here.
    X11Toolkit::ErrorTrap trap(connection->GetDisplay());
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(connection->GetDisplay(), parentWindow, &attributes) != 0 && !trap.Failed()) {
      view = QuorvelDelayX11View::Create(*connection, parentWindow, scale, format);
    }
    if (trap.Failed()) view.reset();
  }
  if (view == nullptr) return nullptr;
  view->core = &core;
  return view.get();
}

void X11Editor::ShowView() {
  // Shown at once, before the host's first idle.
  connection->Pump();
}

bool X11Editor::ViewAlive() const {
  return view != nullptr && view->GetId() != 0;
}

VstToolkit::EditorSize X11Editor::ViewSize() const {
  return {view->width, view->height};
}

void X11Editor::DestroyView() {
  if (view != nullptr) view->core = nullptr;
  // The host may have destroyed its window, and ours with it, already: the caller's
  // trap hears of it.
  view.reset();
}

bool X11Editor::Pump() {
  connection->Pump();
  return connection->TakeResourcesChanged();
}

void X11Editor::RunTrapped(const std::function<void()>& calls) {
  // One trap for all the call's requests: painting, notifications and prompts may
  // touch windows the host destroyed without syncing.
  const X11Toolkit::ErrorTrap trap(connection->GetDisplay());
  calls();
}
