#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/core/Area.h"
#include "toolkit/x11/Image.h"
#include "toolkit/x11/Prompt.h"

namespace X11Toolkit {

struct BoxButton {
  std::string text;
  ToolkitCore::Area area;
  int32_t result;  // what the box answers when this button closes it
  bool closes;     // false: the box stays open and `action` hears of the click
};

// What a box shows and answers.
// Places and sizes are in device pixels; the box's fonts and warning sign follow the
// scale of the window it is opened for.
struct BoxContent {
  std::string caption;
  int32_t width;
  int32_t height;
  std::unique_ptr<Image> picture;  // fills the box when set
  std::string text;                // wrapped into textArea when not empty
  ToolkitCore::Area textArea;
  bool warningIcon;
  std::vector<BoxButton> buttons;  // the first has the focus; Return presses it
  int32_t escapeResult;            // Escape and the window's close box
  std::function<void(int32_t)> action;
};

// A box as a transient window of our own, centred on the host's window, that stays
// until a button closes it; the host and the editor go on meanwhile. Keys: Tab moves
// the focus, Return presses the focused button, Escape cancels. The focus goes back
// where it was when the box goes. User-interface thread.
class Box final : public Prompt {
 public:
  // User-interface thread: shows the box for `owner` (any window of ours inside the host's) on `connection`,
  // which holds it, and returns at once. `answer` hears, at a later pump, the result
  // of the button that closed it: the escape result where it was dismissed.
  static void Open(Connection& connection, const Window& owner, BoxContent content, Answer answer);
  // User-interface thread: gives the focus back where the box took it.
  ~Box() override;

  void OnButtonPress(const XButtonEvent& event) override;
  void OnButtonRelease(const XButtonEvent& event) override;
  void OnKeyPress(const XKeyEvent& event) override;
  void OnClientMessage(const XClientMessageEvent& event) override;
  void OnMapped() override;
  void Paint(cairo_t* cairo) override;

 protected:
  long EventMask() const override;
  void Decorate() override;

 private:
  Box(BoxContent content_, Answer answer_);
  int32_t ButtonAt(int32_t pointX, int32_t pointY) const;
  void Press(int32_t button);
  void PaintText(cairo_t* cairo) const;

  BoxContent content;
  XID transientFor = 0;
  XID previousFocus = 0;  // given back when the box goes
  int32_t focused = 0;
  int32_t armed = -1;  // the button a press went down on
};

}  // namespace X11Toolkit
