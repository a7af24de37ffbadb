#pragma once

#include <cstdint>

namespace VstToolkit {

// What the plug-in's face asks of the LV2 UI that opened its editor: the host's write
// function, touch and resize features. The UI implements it in its own shared object.
// Threads: the host's user-interface thread, for every call.
class Lv2UiLink {
 public:
  // The user began, changed within, and ended a gesture on parameter `index`.
  virtual void TouchParameter(int32_t index, bool grabbed) = 0;
  // `value` in the control port's units.
  virtual void WriteParameter(int32_t index, float value) = 0;
  // The editor wants another size in device pixels; false where the host keeps it.
  virtual bool ResizeWindow(int32_t width, int32_t height) = 0;

 protected:
  ~Lv2UiLink() = default;
};

}  // namespace VstToolkit
