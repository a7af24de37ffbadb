#pragma once

#include <cstdint>

#include "toolkit/x11/Window.h"

namespace X11Toolkit {

// A top-level window of our own that keeps the user's answer: its nested loop runs
// on the editor's connection until Finish is called, as TrackPopupMenu's and
// MessageBoxA's loops do on Windows. A window destroyed under it answers `dismissed`.
class ModalWindow : public Window {
 public:
  void OnDestroyed() override { Finish(dismissed); }

 protected:
  explicit ModalWindow(int32_t dismissed_) : dismissed(dismissed_) {}
  // Runs the nested loop until the answer is in, and returns it.
  int32_t RunModal();
  // The first answer counts.
  void Finish(int32_t answer);

 private:
  const int32_t dismissed;
  bool done = false;
  int32_t result = 0;
};

}  // namespace X11Toolkit
