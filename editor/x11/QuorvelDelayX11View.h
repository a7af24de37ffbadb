#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "host/ViewLink.h"
#include "toolkit/x11/FrameStrip.h"
#include "toolkit/x11/Image.h"
#include "toolkit/x11/Window.h"

namespace X11Toolkit {
class Connection;
class ParameterControl;
class StatusControl;
}  // namespace X11Toolkit

namespace VstToolkit {
class Controller;
}

// The delay's editor on X11: the background with the fifteen controls of the shared
// layout, each in a child window of its own. It hands the controls' notifications
// and title clicks to the Controller, as the Windows view does. Its native handle
// (GetWindowHandle) is the X11Toolkit::Window, which the prompts open their menus on.
//
// User-interface thread, except SetStatusText and SetParameterControlValue, which
// the Controller also calls from the audio and parameter threads: they only store
// and mark windows for the next pump's paint.
class QuorvelDelayX11View final : public X11Toolkit::Window, public VstToolkit::ViewLink {
 public:
  // Creates the view as a child of the host's `parent`; null when that window refuses.
  static std::unique_ptr<QuorvelDelayX11View> Create(X11Toolkit::Connection& display, XID parent);
  ~QuorvelDelayX11View() override;

  void OnButtonPress(const XButtonEvent& event) override;
  void OnClientMessage(const XClientMessageEvent& event) override;
  void OnDestroyed() override;
  void Paint(cairo_t* cairo) override;

  void SetStatusText(const char* text) override;
  bool HasParameterControl(int32_t index) const override;
  void SetParameterControlValue(int32_t index, float value) override;
  void ShowAboutDialog() override;
  void* GetWindowHandle() const override;

  // Set by the editor before the first pump; null while detached.
  VstToolkit::Controller* controller = nullptr;

 protected:
  long EventMask() const override;

 private:
  QuorvelDelayX11View();
  void CreateControls(X11Toolkit::Connection& display);
  X11Toolkit::ParameterControl* ControlOf(int32_t index) const;

  X11Toolkit::Image backgroundImage;
  X11Toolkit::Image knobImage;
  X11Toolkit::Image switchImage;
  X11Toolkit::Image selectorImage;
  X11Toolkit::Image buttonImage;
  X11Toolkit::FrameStrip knobStrip;
  X11Toolkit::FrameStrip switchStrip;
  X11Toolkit::FrameStrip selectorStrip;
  X11Toolkit::FrameStrip buttonStrip;
  std::vector<std::unique_ptr<X11Toolkit::Window>> children;         // in creation order
  std::map<int32_t, X11Toolkit::ParameterControl*> parameterControls;  // within children
  X11Toolkit::StatusControl* statusControl = nullptr;                  // within children
};
