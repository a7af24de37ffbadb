#pragma once

#include <lv2/ui/ui.h>

#include <cstdint>

#include "host/lv2/Lv2UiLink.h"

namespace VstToolkit {

class Lv2EditorLink;

// The LV2 UI: opens the plug-in instance's editor (reached through instance-access) in
// the host's ui:parent window, asks the host for the editor's size (ui:resize), runs the
// editor's idle work from the idle interface, and sends the user's edits through the
// write function on the parameters' control ports, with ui:touch around each gesture.
// The host's port events redraw the editor and write nothing back.
// Threads: the host's user-interface thread, for every call.
class Lv2Ui final : public Lv2UiLink {
 public:
  Lv2Ui(Lv2EditorLink& editor, LV2UI_Write_Function write, LV2UI_Controller controller, const LV2UI_Touch* touch,
        const LV2UI_Resize* resize);
  ~Lv2Ui();
  Lv2Ui(const Lv2Ui&) = delete;
  Lv2Ui& operator=(const Lv2Ui&) = delete;

  // Tells the host's scale (0: none), opens the editor and asks for its size.
  bool Open(uintptr_t parent, float scale);
  void PortEvent(uint32_t port, uint32_t size, uint32_t format, const void* buffer);
  // 0 while the editor is open, 1 once it is gone.
  int Idle();

  void TouchParameter(int32_t index, bool grabbed) override;
  void WriteParameter(int32_t index, float value) override;
  bool ResizeWindow(int32_t width, int32_t height) override;

 private:
  Lv2EditorLink& editor;
  LV2UI_Write_Function write;
  LV2UI_Controller controller;
  const LV2UI_Touch* touch;    // null where the host gives none
  const LV2UI_Resize* resize;  // null where the host gives none
  bool isOpen = false;
};

}  // namespace VstToolkit
