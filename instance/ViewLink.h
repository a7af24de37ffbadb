#pragma once

#include <cstdint>

#include "instance/NativeWindow.h"

namespace VstToolkit {

// What the instance core needs from the editor's open view. Declared here so that
// the core depends on nothing above it; the editor's view implements it.
// User-interface thread only: changes from the host's other threads reach the view
// through the core's marks, which that thread applies.
class ViewLink {
 public:
  virtual void SetStatusText(const char* text) = 0;
  // Whether the view holds a control for the parameter.
  virtual bool HasParameterControl(int32_t index) const = 0;
  // Moves the parameter's control without notifying anyone back. Only called for
  // indices where HasParameterControl answers true.
  virtual void SetParameterControlValue(int32_t index, float value) = 0;
  // User-interface thread: the view's About box (modal on Windows; on Linux it opens and returns).
  virtual void ShowAboutDialog() = 0;
  // The view's own window, owner of its menus and boxes.
  virtual NativeWindow GetWindowHandle() const = 0;

 protected:
  ~ViewLink() = default;
};

}  // namespace VstToolkit
