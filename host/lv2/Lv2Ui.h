#pragma once

#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>

#include <cstdint>
#include <memory>

#include "instance/InstanceCore.h"
#include "instance/InstanceHost.h"
#include "instance/RemoteChannel.h"
#include "instance/RemoteInstanceLink.h"

namespace VstToolkit {

class Lv2UiFrame;

// The LV2 UI: the editor, on a core of its own over a model that mirrors the plug-in
// instance, which it reaches only through the host: the user's edits go to the control
// ports through the write function (inside ui:touch gestures), the MIDI-learn commands
// as messages to the UI input port; the host's port events bring the control values and
// the plug-in's notifications. Its widget is a frame of its own inside the host's
// ui:parent, holding the editor's view at the view's size, which it asks of ui:resize
// where the host gives it; the frame outlives any remaking of the view.
// Threads: the host's user-interface thread, for every call.
class Lv2Ui final : private InstanceHost, private RemoteChannel {
 public:
  // `touch` and `resize` may be null (the host gives none).
  Lv2Ui(const LV2_URID_Map& map, LV2UI_Write_Function write, LV2UI_Controller controller, const LV2UI_Touch* touch,
        const LV2UI_Resize* resize);
  ~Lv2Ui();
  Lv2Ui(const Lv2Ui&) = delete;
  Lv2Ui& operator=(const Lv2Ui&) = delete;

  // Tells the host's scale (0: none), opens the editor in `parent`, asks for its size and
  // for the plug-in's snapshot.
  bool Open(uintptr_t parent, float scale);
  // The UI's own window, for the host to embed: the same for the UI's life.
  uintptr_t Widget() const;
  void PortEvent(uint32_t port, uint32_t size, uint32_t format, const void* buffer);
  // 0 while the editor is open, 1 once it is gone.
  int Idle();

 private:
  void BeginParameterEdit(int32_t index) override;
  void PerformParameterEdit(int32_t index, float value) override;
  void EndParameterEdit(int32_t index) override;
  void ParameterSetByPlugin(int32_t index, float value) override;
  bool ResizeEditor(int32_t width, int32_t height) override;
  void StateChanged() override;
  void SendToInstance(const uint8_t* bytes, uint32_t size) override;
  void Touch(int32_t index, bool grabbed);

  InstanceCore core;
  RemoteInstanceLink remote;
  LV2UI_Write_Function write;
  LV2UI_Controller controller;
  const LV2UI_Touch* touch;
  const LV2UI_Resize* resize;
  LV2_URID atomChunk;
  LV2_URID eventTransfer;
  std::unique_ptr<Lv2UiFrame> frame;
};

}  // namespace VstToolkit
