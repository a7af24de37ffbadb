#include "toolkit/x11/Connection.h"

#include <X11/Xatom.h>

#include <cstddef>
#include <utility>

#include "toolkit/x11/DpiProbe.h"
#include "toolkit/x11/ErrorTrap.h"
#include "toolkit/x11/Prompt.h"
#include "toolkit/x11/Window.h"

namespace X11Toolkit {

Connection* Connection::Open() {
  ::Display* display = XOpenDisplay(nullptr);
  return display != nullptr ? new Connection(display) : nullptr;
}

Connection::Connection(::Display* display_) : display(display_) {
  for (std::size_t i = 0; i < ToolkitCore::kNotificationCount; ++i) {
    notificationAtoms[i] = XInternAtom(display, ToolkitCore::kNotificationNames[i], False);
  }
  deleteAtom = XInternAtom(display, "WM_DELETE_WINDOW", False);
}

Connection::~Connection() {
  {
    // The prompts' windows may have gone with the host's, and an answer may open
    // another prompt, which is dismissed in turn.
    const ErrorTrap trap(display);
    while (!prompts.empty() || !answersDue.empty()) Settle(true);
  }
  XCloseDisplay(display);
}

void Connection::Pump() {
  while (XPending(display) > 0) {
    XEvent event;
    XNextEvent(display, &event);
    Dispatch(event);
  }
  Settle(false);
  PaintAndTick();
}

void Connection::Adopt(std::unique_ptr<Prompt> prompt) {
  if (prompt != nullptr) prompts.push_back(std::move(prompt));
}

void Connection::AnswerLater(std::function<void()> answer) {
  answersDue.push_back(std::move(answer));
}

void Connection::Settle(bool closing) {
  // No event handler is running: a prompt's window may go now, and its answer may
  // open or close other prompts, which wait for a later pump.
  std::vector<std::unique_ptr<Prompt>> settled;
  for (auto it = prompts.begin(); it != prompts.end();) {
    if (closing || (*it)->IsFinished()) {
      answersDue.push_back((*it)->TakeAnswer(closing));
      settled.push_back(std::move(*it));
      it = prompts.erase(it);
    } else {
      ++it;
    }
  }
  settled.clear();
  std::vector<std::function<void()>> answers;
  answers.swap(answersDue);
  for (const auto& answer : answers) answer();
}

double Connection::ResourceDpi() const {
  return DpiProbe::Of(display);
}

void Connection::WatchResources() {
  XSelectInput(display, DefaultRootWindow(display), PropertyChangeMask);
}

bool Connection::TakeResourcesChanged() {
  const bool changed = resourcesChanged;
  resourcesChanged = false;
  return changed;
}

void Connection::Register(Window* window) {
  windows[window->GetId()] = window;
}

void Connection::Unregister(Window* window) {
  const auto found = windows.find(window->GetId());
  if (found != windows.end() && found->second == window) windows.erase(found);
}

void Connection::Post(const Window& view, ToolkitCore::Notification notification, int32_t index,
                      const Window& control) {
  if (view.GetId() == 0) return;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = view.GetId();
  event.xclient.message_type = notificationAtoms[static_cast<int>(notification)];
  event.xclient.format = 32;
  event.xclient.data.l[0] = index;
  event.xclient.data.l[1] = static_cast<long>(control.GetId());
  XSendEvent(display, view.GetId(), False, NoEventMask, &event);
}

bool Connection::IsNotification(const XClientMessageEvent& message, ToolkitCore::Notification& notification) const {
  if (message.format != 32) return false;
  for (std::size_t i = 0; i < ToolkitCore::kNotificationCount; ++i) {
    if (message.message_type == notificationAtoms[i]) {
      notification = static_cast<ToolkitCore::Notification>(i);
      return true;
    }
  }
  return false;
}

void Connection::Dispatch(XEvent& event) {
  if (event.type == PropertyNotify) {
    // Only the root window's are asked for.
    if (event.xproperty.window == DefaultRootWindow(display) && event.xproperty.atom == XA_RESOURCE_MANAGER) {
      resourcesChanged = true;
    }
    return;
  }
  const auto found = windows.find(event.xany.window);
  if (found == windows.end()) return;
  Window* window = found->second;
  switch (event.type) {
    case Expose:
      window->Invalidate();
      break;
    case ButtonPress:
      window->OnButtonPress(event.xbutton);
      break;
    case ButtonRelease:
      window->OnButtonRelease(event.xbutton);
      break;
    case MotionNotify:
      window->OnMotion(event.xmotion);
      break;
    case EnterNotify:
      window->OnEnter(event.xcrossing);
      break;
    case LeaveNotify:
      window->OnLeave(event.xcrossing);
      break;
    case KeyPress:
      window->OnKeyPress(event.xkey);
      break;
    case ClientMessage:
      window->OnClientMessage(event.xclient);
      break;
    case MapNotify:
      window->OnMapped();
      break;
    case DestroyNotify:
      // StructureNotify reports a window's own destruction with event == window.
      if (event.xdestroywindow.window == event.xdestroywindow.event) {
        window->Forget();
        window->OnDestroyed();
      }
      break;
    default:
      break;
  }
}

void Connection::PaintAndTick() {
  const auto now = Clock::now();
  // Neither ticking nor painting makes or destroys a window.
  for (const auto& entry : windows) {
    entry.second->OnTick(now);
    entry.second->PaintIfDirty();
  }
  XFlush(display);
}

}  // namespace X11Toolkit
