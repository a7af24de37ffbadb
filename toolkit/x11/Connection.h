#pragma once

#include <X11/Xlib.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>

#include "toolkit/core/NotificationNames.h"

namespace X11Toolkit {

class Window;

// One editor's own connection to the X server, and the windows made on it. It routes
// each event to the Window it belongs to, carries the controls' notifications as
// client messages whose types are atoms of the four notification names, and paints
// the windows that asked for it. Only the thread that opened it may use it: the
// host's user-interface thread, in effEditOpen, effEditIdle and effEditClose.
class Connection final {
 public:
  using Clock = std::chrono::steady_clock;

  // Null where no display can be opened.
  static Connection* Open();
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  ::Display* GetDisplay() const { return display; }

  // Handles every event that is waiting, then paints what changed.
  void Pump();
  // A nested loop: handles events as they come (waiting for them) and paints, until
  // `done` answers true. Menus and boxes run in it, as modal loops do on Windows.
  void RunUntil(const std::function<bool()>& done);

  void Register(Window* window);
  void Unregister(Window* window);

  // Queues a notification of a control for its view, to be handled in a later pump.
  void Post(const Window& view, ToolkitCore::Notification notification, int32_t index, const Window& control);
  // The notification a client message carries, if it is one of the four.
  bool IsNotification(const XClientMessageEvent& message, ToolkitCore::Notification& notification) const;

  Atom WindowDeleteAtom() const { return deleteAtom; }

  // The server's "Xft.dpi" as it is now (0 where none is set), from the root window's
  // resource database; XResourceManagerString would keep what it was at the opening.
  double ResourceDpi() const;
  // The same through a connection of its own for the moment of the call, for what is
  // asked before any window is open; 0 where no display can be opened.
  static double ServerDpi();
  // From now on a pump notes when the resource database changes (a desktop that sets
  // a new scale rewrites it); TakeResourcesChanged answers once per change.
  void WatchResources();
  bool TakeResourcesChanged();

 private:
  explicit Connection(::Display* display_);
  void Dispatch(XEvent& event);
  void PaintAndTick();

  ::Display* display;
  Atom notificationAtoms[4] = {};
  Atom deleteAtom = 0;
  std::map<XID, Window*> windows;  // not owned
  bool resourcesChanged = false;
};

}  // namespace X11Toolkit
