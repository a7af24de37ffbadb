#pragma once

#include <X11/Xlib.h>

#include <memory>

#include "editor/x11/X11UserPrompts.h"
#include "instance/InstanceEditor.h"
#include "toolkit/core/ScaleFactor.h"
#include "toolkit/x11/DpiProbe.h"

namespace X11Toolkit {
class Connection;
}
namespace VstToolkit {
class InstanceCore;
}
class QuorvelDelayX11View;

// The delay's editor on Linux: Open brings the parent window's X id, the editor opens
// its own connection to the X server and makes the view inside it; every Idle handles
// that connection's events and paints; the connection closes with the view. Where no
// display can be opened, Open fails.
//
// No call waits for the user: menus and boxes open and return, and their answers are
// handled in a later idle. The host may destroy its window at any time, without
// syncing: all that the editor asks of the server in Open, Idle, Close and a rescale
// runs inside one ErrorTrap per call, so that no error of ours reaches the host.
//
// The view is drawn at one scale factor: the host's, where it told one, otherwise the
// server's "Xft.dpi" over 96 (none set: 1x). When the host tells a new factor, or the
// desktop sets a new Xft.dpi while the host told none, the open view is made again at
// the new factor in the same parent and the host is asked to resize its window; a host
// that does not answer keeps its size.
// Threads: the host's user-interface thread, which alone touches Xlib.
class X11Editor final : public VstToolkit::InstanceEditor {
 public:
  explicit X11Editor(VstToolkit::InstanceCore& core);
  ~X11Editor() override;

  bool Open(VstToolkit::NativeWindow parent) override;
  void Close() override;
  bool IsOpen() const override { return view != nullptr; }
  VstToolkit::EditorSize GetSize() override;
  void HostScaleFactorChanged() override;
  void Idle() override;

 private:
  // The factor a view made now would have.
  Toolkit::ScaleFactor ChooseScale();
  // The view at `scale` in the parent, on the open connection, attached to the controller.
  bool OpenView(Toolkit::ScaleFactor scale);
  // Detaches the view and destroys it; the connection stays.
  void CloseView();
  // Makes the open view again at the factor chosen now, where that differs, and asks
  // the host to fit its window to it.
  void Rescale();

  VstToolkit::InstanceCore& core;
  X11UserPrompts prompts;
  X11Toolkit::DpiProbe dpiProbe;  // for the size asked while closed
  std::unique_ptr<X11Toolkit::Connection> connection;
  std::unique_ptr<QuorvelDelayX11View> view;
  XID parentWindow = 0;

};
