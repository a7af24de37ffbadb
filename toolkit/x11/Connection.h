#pragma once

#include <X11/Xlib.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "toolkit/core/NotificationNames.h"

namespace X11Toolkit {

class Prompt;
class Window;

// One editor's own connection to the X server, and the windows made on it. It routes
// each event to the Window it belongs to, carries the controls' notifications as
// client messages whose types are atoms of the notification names, and paints
// the windows that asked for it. It holds the menus and boxes that are open, which
// never wait for their answer: a pump hands on the answers of those the user
// answered, and the connection's end dismisses the rest. Only the thread that opened
// it may use it: the host's user-interface thread, in effEditOpen, effEditIdle and
// effEditClose, each of which runs it inside an ErrorTrap.
class Connection final {
 public:
  using Clock = std::chrono::steady_clock;

  // Null where no display can be opened.
  static Connection* Open();
  // Destroys the prompts still open, which answer "dismissed", then closes.
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  ::Display* GetDisplay() const { return display; }

  // Handles every event that is waiting; then destroys the prompts the user answered
  // and hands their answers on, in the order they came; then paints what changed.
  void Pump();

  void Register(Window* window);
  void Unregister(Window* window);

  // User-interface thread: holds a prompt until the user answers it, or the connection closes.
  void Adopt(std::unique_ptr<Prompt> prompt);
  // User-interface thread: runs `answer` at the end of the next pump's handling, or at
  // the close: for a prompt that could not be shown, which answers later all the same.
  void AnswerLater(std::function<void()> answer);

  // Queues a notification of a control for its view, to be handled in a later pump.
  void Post(const Window& view, ToolkitCore::Notification notification, int32_t index, const Window& control);
  // The notification a client message carries, if it is one.
  bool IsNotification(const XClientMessageEvent& message, ToolkitCore::Notification& notification) const;

  Atom WindowDeleteAtom() const { return deleteAtom; }

  // The server's "Xft.dpi" as it is now (0 where none is set).
  double ResourceDpi() const;
  // From now on a pump notes when the resource database changes (a desktop that sets
  // a new scale rewrites it); TakeResourcesChanged answers once per change.
  void WatchResources();
  bool TakeResourcesChanged();

 private:
  explicit Connection(::Display* display_);
  void Dispatch(XEvent& event);
  // Destroys the finished prompts, or all of them at the close, then runs the answers due.
  void Settle(bool closing);
  void PaintAndTick();

  ::Display* display;
  Atom notificationAtoms[ToolkitCore::kNotificationCount] = {};
  Atom deleteAtom = 0;
  std::map<XID, Window*> windows;  // not owned
  std::vector<std::unique_ptr<Prompt>> prompts;
  std::vector<std::function<void()>> answersDue;
  bool resourcesChanged = false;
};

}  // namespace X11Toolkit
