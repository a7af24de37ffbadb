#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "editor/EditorFormat.h"
#include "editor/ScaledLayout.h"
#include "instance/ViewLink.h"
#include "toolkit/x11/FrameStrip.h"
#include "toolkit/x11/Image.h"
#include "toolkit/x11/Window.h"

namespace X11Toolkit {
class Connection;
class ParameterControl;
class StatusControl;
}  // namespace X11Toolkit

namespace VstToolkit {
class InstanceCore;
}

// The delay's editor on X11: the background with the fifteen controls of the shared
// layout, each in a child window of its own. It hands the controls' notifications
// and title clicks to the instance core, as the Windows view does. Its native handle
// (GetWindowHandle) is the X11Toolkit::Window, which the prompts open their menus on.
//
// It is drawn at one scale factor, in the places and sizes of the ScaledLayout: from
// the 1x images at 1x and from the 2x images above, which are redrawn once at load
// time to the device size where the factor is not 2, so that painting stays pixel for
// pixel. Every window of it carries the factor for the menus and boxes opened on it.
//
// User-interface thread only: the instance core applies other threads' changes there.
class QuorvelDelayX11View final : public X11Toolkit::Window, public VstToolkit::ViewLink {
 public:
  // Creates the view as a child of the host's `parent`, its footer naming `format`; null
  // when that window refuses.
  static std::unique_ptr<QuorvelDelayX11View> Create(
      X11Toolkit::Connection& display, XID parent, Toolkit::ScaleFactor scale = Toolkit::ScaleFactor(),
      VstToolkit::EditorFormat format = VstToolkit::EditorFormat::kVst2);
  ~QuorvelDelayX11View() override;

  void OnButtonPress(const XButtonEvent& event) override;
  void OnClientMessage(const XClientMessageEvent& event) override;
  void OnDestroyed() override;
  void Paint(cairo_t* cairo) override;

  void SetStatusText(const char* text) override;
  bool HasParameterControl(int32_t index) const override;
  void SetParameterControlValue(int32_t index, float value) override;
  // User-interface thread: shows the About box and returns; the box stays until the user closes it.
  void ShowAboutDialog() override;
  VstToolkit::NativeWindow GetWindowHandle() const override;

  // Set by the editor before the first pump; null while detached.
  VstToolkit::InstanceCore* core = nullptr;

 protected:
  long EventMask() const override;

 private:
  QuorvelDelayX11View(Toolkit::ScaleFactor scale, VstToolkit::EditorFormat format);
  // Redraws a loaded image to the device size of its strip's frames, where the images'
  // zoom is not the factor.
  void FitToScale(X11Toolkit::Image& image, const QuorvelDelayLayout::Strip& strip) const;
  void CreateControls(X11Toolkit::Connection& display);
  X11Toolkit::ParameterControl* ControlOf(int32_t index) const;

  const ScaledLayout layout;
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
