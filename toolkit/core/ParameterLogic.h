#pragma once

#include <cstdint>

#include "toolkit/core/NotificationNames.h"

namespace ToolkitCore {

// What a change asks of the platform: repaint the control, and tell its view of the
// new value and of a gesture beginning or ending.
struct Outcome {
  bool repaint = false;
  bool notify = false;
  bool begin = false;
  bool end = false;

  // User-interface thread: hands `post` the notifications asked for, in the order the
  // view must hear them: a gesture's begin before the value it sets, its end after.
  template <typename Post>
  void Report(Post&& post) const {
    if (begin) post(Notification::kGestureBegan);
    if (notify) post(Notification::kValueChanged);
    if (end) post(Notification::kGestureEnded);
  }
};

// The keys held with a mouse button, as every platform reports them.
struct Modifiers {
  bool control = false;
  bool shift = false;
};

// The platform-free behaviour of a parameter control: its value, the frame it shows,
// and what a press, a drag and a release of the left button at a client point do. The
// platform layers turn native events into these calls and act on the outcome.
//
// A user gesture (a press, the drag that follows, the release; or an increment
// button's step) is reported as begun and ended exactly once each, so that the host
// records its values as one edit. The platform ends it early, by Release, when its
// pointer is taken away (a lost capture or grab).
//
// SetValue(value, false) is also called from the host's audio and parameter threads:
// it only stores fields, so the platform repaints on its user-interface thread.
class ParameterLogic {
 public:
  virtual ~ParameterLogic() = default;
  ParameterLogic(const ParameterLogic&) = delete;
  ParameterLogic& operator=(const ParameterLogic&) = delete;

  // The normalised value, 0 to 1.
  virtual float GetValue() const = 0;
  // Values outside 0 to 1 are taken as the nearer end, NaN as 0.
  virtual Outcome SetValue(float value, bool notify) = 0;
  // User-interface thread: the left button went down at (x, y); a gesture begins,
  // unless one is open. Ctrl resets to the default.
  Outcome Press(Modifiers keys, int32_t x, int32_t y);
  // User-interface thread: the pointer moved to (x, y) with the left button held;
  // nothing outside a gesture.
  Outcome Drag(Modifiers keys, int32_t x, int32_t y);
  // User-interface thread: the left button went up, or the pointer was taken away; the
  // open gesture ends. Nothing when none is open, so no gesture ends twice.
  Outcome Release();
  // User-interface thread: whether a gesture is open.
  bool IsInGesture() const { return inGesture; }

  // The frame shown.
  int32_t GetPosition() const { return position; }
  // Indices outside the strip are taken as its nearer end.
  Outcome SetPosition(int32_t index, bool notify);
  int32_t GetMaximumPosition() const { return frameCount - 1; }
  int32_t GetMinimumPosition() const { return 0; }
  // User-interface thread: the next position, wrapping from the last to the first, as
  // an increment button steps it; a gesture of its own, unless within one already open.
  Outcome Step();

  const float defaultValue;

 protected:
  ParameterLogic(float defaultValue_, uint32_t frameCount_);
  // What a press and a drag do to the value, in a gesture.
  virtual Outcome PressAt(Modifiers keys, int32_t x, int32_t y) = 0;
  virtual Outcome DragTo(Modifiers keys, int32_t x, int32_t y) = 0;
  int32_t ClampPosition(int32_t index) const;
  static float ClampUnit(float value);

  const int32_t frameCount;  // 0 without a strip
  int32_t position = 0;

 private:
  bool inGesture = false;
};

}  // namespace ToolkitCore
