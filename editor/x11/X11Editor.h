#pragma once

#include <X11/Xlib.h>

#include <functional>
#include <memory>

#include "editor/EditorLifecycle.h"
#include "editor/x11/X11UserPrompts.h"
#include "toolkit/x11/DpiProbe.h"

namespace X11Toolkit {
class Connection;
}
class QuorvelDelayX11View;

// The delay's editor on Linux, the X11 part of its lifecycle: each open brings the
// parent window's X id, and the editor opens its own connection to the X server and
// makes the view inside it; every idle handles that connection's events and paints;
// the connection closes with the view. Where no display can be opened, Open fails.
//
// No call waits for the user: menus and boxes open and return, and their answers are
// handled in a later idle. The host may destroy its window at any time, without
// syncing: all that the editor asks of the server in Open, Idle, Close and a rescale
// runs inside one ErrorTrap per call, so that no error of ours reaches the host.
//
// The measured scale is the server's "Xft.dpi" over 96 (none set: 1x); a desktop that
// sets a new one while the view is open remakes it, as a new factor of the host's does.
// Threads: the host's user-interface thread, which alone touches Xlib.
class X11Editor final : public VstToolkit::EditorLifecycle {
 public:
  // The thread that makes the instance: gives the core the X11 menus and boxes.
  X11Editor(VstToolkit::InstanceCore& core, VstToolkit::EditorFormat format);
  // The thread that ends the instance: closes an open view.
  ~X11Editor() override;

  // User-interface thread: the connection's file descriptor while a view is open, else -1.
  int32_t EventDescriptor() const override;
  // User-interface thread: the open view's X window id, else none.
  VstToolkit::NativeWindow ViewWindow() const override;

 private:
  double MeasureDpi() override;
  bool Connect(VstToolkit::NativeWindow parent) override;
  void Disconnect() override;
  VstToolkit::ViewLink* MakeView(Toolkit::ScaleFactor scale) override;
  void ShowView() override;
  bool ViewAlive() const override;
  VstToolkit::EditorSize ViewSize() const override;
  void DestroyView() override;
  bool Pump() override;
  void RunTrapped(const std::function<void()>& calls) override;

  X11UserPrompts prompts;
  X11Toolkit::DpiProbe dpiProbe;  // for the size asked while closed
  std::unique_ptr<X11Toolkit::Connection> connection;
  std::unique_ptr<QuorvelDelayX11View> view;
  XID parentWindow = 0;
};
