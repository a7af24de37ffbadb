#pragma once

#include <windows.h>

#include <cstdint>
#include <map>

#include "instance/ViewLink.h"
#include "toolkit/win32/Window.h"

namespace WindowsToolkit {
class ParameterControl;
}

namespace VstToolkit {

class InstanceCore;

// The top-level window of an editor: the parent of its controls. It turns the
// controls' notifications and clicks on its title area into calls of the instance core,
// and moves the controls when the core asks. A plug-in's view derives from it,
// creates the controls and supplies the title area, the status line and the About box.
//
// User-interface thread only: changes made on the host's other threads reach it when a
// timer of its own asks the core to apply them (the host's idle calls are not
// reliable enough on Windows).
class View : public WindowsToolkit::Window, public ViewLink {
 public:
  int OnLButtonDown(WPARAM keys, POINT point) override;
  int OnDestroy() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  // The base view has no status line, no title area and no About box.
  void SetStatusText(const char* text) override;
  virtual void GetTitleRect(RECT& rect);
  void ShowAboutDialog() override;

  bool HasParameterControl(int32_t index) const override;
  void SetParameterControlValue(int32_t index, float value) override;
  NativeWindow GetWindowHandle() const override;

  // Enters a control under its parameter index, replacing an earlier one; a control
  // that does not exist (its window could not be made) leaves the index without one.
  void AddParameterControl(WindowsToolkit::ParameterControl* control);
  // The control of a parameter, or null; never adds an entry.
  WindowsToolkit::ParameterControl* GetParameterControl(int32_t index) const;

  // Told when Windows gives the view another DPI (it was moved to another screen);
  // the editor may then rebuild the view, which is destroyed during the call.
  class DpiListener {
   public:
    virtual void OnViewDpiChanged(int32_t dpi) = 0;

   protected:
    ~DpiListener() = default;
  };

  // Told when the view's window is destroyed, by the editor or by a host that destroyed
  // its own window first, so that the editor never asks a handle Windows may reuse.
  class CloseListener {
   public:
    virtual void OnViewDestroyed() = 0;

   protected:
    ~CloseListener() = default;
  };

  // User-interface thread: starts the timer that shows other threads' changes.
  void StartRefreshTimer();

  // Set by the editor before the view is shown; null while detached.
  InstanceCore* core = nullptr;
  DpiListener* dpiListener = nullptr;
  CloseListener* closeListener = nullptr;

 protected:
  View() = default;

 private:
  // The control that posted a notification, if it is one of ours: the pointer in a
  // message is only trusted when it is the control entered under the message's index.
  WindowsToolkit::ParameterControl* PostingControl(WPARAM wParam, LPARAM lParam) const;

  std::map<int32_t, WindowsToolkit::ParameterControl*> parameterControls;  // not owned
};

}  // namespace VstToolkit
