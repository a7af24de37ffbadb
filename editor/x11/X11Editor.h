#pragma once

#include <memory>

#include "editor/x11/X11UserPrompts.h"
#include "host/AEffEditor.h"

namespace X11Toolkit {
class Connection;
}
namespace VstToolkit {
class Controller;
}
class QuorvelDelayX11View;

// The delay's editor as a Linux VST2 host drives it: effEditOpen brings the parent
// window's X id, the editor opens its own connection to the X server and makes the
// view inside it; every effEditIdle handles that connection's events and paints; the
// connection closes with the view. Where no display can be opened, open fails.
// Threads: the host's user-interface thread, which alone touches Xlib.
class X11Editor final : public AEffEditor {
 public:
  explicit X11Editor(VstToolkit::Controller* owner);
  ~X11Editor() override;

  bool getRect(ERect** result) override;
  bool open(void* parent) override;
  void close() override;
  void idle() override;

 private:
  VstToolkit::Controller* controller;  // the same object as `effect`
  X11UserPrompts prompts;
  std::unique_ptr<X11Toolkit::Connection> connection;
  std::unique_ptr<QuorvelDelayX11View> view;
  // Until the first open the view's fixed size, which hosts read to size their window.
  ERect rect;
};
