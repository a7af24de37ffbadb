#pragma once

#include <cstdint>

#include "instance/InstanceEditor.h"

namespace VstToolkit {

class Lv2UiLink;

// What the LV2 UI reaches through instance-access: the plug-in instance's editor. The UI's
// shared object calls these through the table of the instance's own, so the editor's code
// exists once, in the plug-in's shared object.
// Threads: the host's user-interface thread, for every call.
class Lv2EditorLink {
 public:
  // The host's scale factor, told before opening; false for a non-factor.
  virtual bool SetEditorScale(float factor) = 0;
  // Opens the editor inside the X window `parent`, its edits going to `ui`; false where
  // it cannot be opened (no editor, no display, another UI holding it).
  virtual bool OpenEditor(uintptr_t parent, Lv2UiLink& ui) = 0;
  virtual void CloseEditor() = 0;
  virtual EditorSize EditorSizeNow() = 0;
  // The editor's periodic work; false once the view is gone.
  virtual bool IdleEditor() = 0;
  // The host moved a control port: the view shows the instance's values again.
  virtual void RedrawEditor() = 0;

 protected:
  ~Lv2EditorLink() = default;
};

}  // namespace VstToolkit
