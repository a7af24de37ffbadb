#pragma once

#include "host/vst2/AEffEditor.h"
#include "host/vst2/VstInterface.h"

namespace VstToolkit {
class InstanceCore;
}

// The editor opcodes as the VST2 face answers them: each goes to the editor the
// instance core holds. The parent window arrives as the host's pointer (an HWND, or an
// X window id in the pointer's bits).
// Threads: the host's user-interface thread.
class Vst2Editor final : public AEffEditor {
 public:
  Vst2Editor(AudioEffect* owner, VstToolkit::InstanceCore& core);
  ~Vst2Editor() override;

  bool getRect(ERect** rect) override;
  bool open(void* parent) override;
  void close() override;
  void idle() override;

 private:
  VstToolkit::InstanceCore& core;
  ERect rect{};  // what getRect answered last; valid while the editor lives
};
