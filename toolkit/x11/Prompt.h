#pragma once

#include <cstdint>
#include <functional>

#include "toolkit/x11/Window.h"

namespace X11Toolkit {

// A top-level window of our own that asks the user something: a menu or a box. It
// shows itself and returns; the connection holds it from then on, destroys it at the
// end of the pump in which the user answered, and only then hands the answer on, so
// that neither the answer nor the destruction runs inside the window's own event
// handling. A prompt still open when its connection closes answers `dismissed`, and
// so does one whose window the server destroyed. User-interface thread.
class Prompt : public Window {
 public:
  using Answer = std::function<void(int32_t)>;

  void OnDestroyed() override { Finish(dismissed); }
  // User-interface thread, in the connection's pump: whether the user answered.
  bool IsFinished() const { return finished; }
  // User-interface thread, by the connection once the window is to go: what hands the
  // answer on, once: the user's, or `dismissed` where `dismiss` is set or none came.
  std::function<void()> TakeAnswer(bool dismiss);

 protected:
  Prompt(int32_t dismissed_, Answer answer_);
  // The first answer counts.
  void Finish(int32_t result_);

 private:
  const int32_t dismissed;
  Answer answer;  // may be empty: nothing waits for it
  bool finished = false;
  int32_t result = 0;
};

}  // namespace X11Toolkit
