#pragma once

#include <lv2/core/lv2.h>
#include <lv2/options/options.h>
#include <lv2/ui/ui.h>

#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace QuorvelHost {

class HostedLv2;
class ModuleLibrary;

// An LV2 host's side of a plug-in's X11 UI: loads the UI's shared object that the bundle
// names, instantiates it inside a host window (ui:parent) with urid:map, the host's scale
// (ui:scaleFactor among the options), ui:touch and, unless told not to, ui:resize; it
// offers no instance-access, as hosts that run UIs in another process cannot. It records
// what the UI tells the host, with the thread that told it, and relays the instance's
// notifications to the UI, as such a host does.
// Threads: the host's user-interface thread, for every call.
class Lv2UiHost final {
 public:
  // What the UI told the host: 'w' a control port written, 't' touched (value 1 grabbed,
  // 0 released), 'r' a size asked for (port = width, value = height), 'a' an atom written
  // to a port (its bytes in `atom`).
  struct Message {
    char kind;
    uint32_t port;
    float value;
    std::thread::id thread;
    std::vector<uint8_t> atom;
  };

  // Null with a one-line reason where the instance's bundle has no X11 UI that loads.
  static std::unique_ptr<Lv2UiHost> Open(HostedLv2& instance, std::string& error);
  ~Lv2UiHost();

  // Instantiates the UI inside X window `parent` at `scale` (0: no scale option); false
  // where the UI refuses.
  bool Show(uintptr_t parent, float scale = 0.0f, bool offerResize = true);
  // The UI's idle call: 0 while it stays open.
  int Idle();
  // The host tells the UI a control port's value.
  void PortEvent(uint32_t port, float value);
  // The instance's notifications of its last block, to the UI as port events.
  void DeliverNotifications();
  // Cleans the UI up (nothing happens while none is shown).
  void Hide();
  LV2UI_Widget Widget() const { return widget_; }

  const std::vector<Message>& Messages() const { return messages_; }
  void ClearMessages() { messages_.clear(); }

 private:
  Lv2UiHost(HostedLv2& instance) : instance_(instance) {}
  static void Write(LV2UI_Controller controller, uint32_t port, uint32_t size, uint32_t format, const void* buffer);
  // What the UI told, on the thread that tells it.
  void Record(char kind, uint32_t port, float value, std::vector<uint8_t> atom = {});

  HostedLv2& instance_;
  std::unique_ptr<ModuleLibrary> library_;
  const LV2UI_Descriptor* descriptor_ = nullptr;
  std::string bundlePath_;
  LV2UI_Handle handle_ = nullptr;
  LV2UI_Widget widget_ = nullptr;
  const LV2UI_Idle_Interface* idle_ = nullptr;
  LV2UI_Touch touch_{};
  LV2UI_Resize resize_{};
  float scale_ = 0.0f;
  LV2_Options_Option options_[2] = {};  // the scale, then the list's zeroed end
  std::vector<Message> messages_;
};

}  // namespace QuorvelHost
