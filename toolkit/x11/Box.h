#pragma once

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "toolkit/core/Area.h"
#include "toolkit/x11/ModalWindow.h"

namespace X11Toolkit {

class Image;

struct BoxButton {
  const char* text;
  ToolkitCore::Area area;
  int32_t result;  // what the box answers when this button closes it
  bool closes;     // false: the box stays open and `action` hears of the click
};

// What a box shows and answers.
// Places and sizes are in device pixels; the box's fonts and warning sign follow the
// scale of the window it is opened for.
struct BoxContent {
  const char* caption;
  int32_t width;
  int32_t height;
  const Image* picture;  // fills the box when set
  const char* text;      // wrapped into textArea when set
  ToolkitCore::Area textArea;
  bool warningIcon;
  std::vector<BoxButton> buttons;  // the first has the focus; Return presses it
  int32_t escapeResult;            // Escape and the window's close box
  std::function<void(int32_t)> action;
};

// A modal box as a transient window of our own, centred on the host's window, that
// runs a nested loop on the editor's connection until a button closes it, as
// MessageBoxA and DialogBoxParamA do on Windows. Keys: Tab moves the focus, Return
// presses the focused button, Escape cancels. User-interface thread.
class Box final : public ModalWindow {
 public:
  // Shows the box for `owner` (any window of ours inside the host's) and answers
  // the result of the button that closed it.
  static int32_t Run(Connection& connection, const Window& owner, BoxContent content);

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
  explicit Box(BoxContent content_) : ModalWindow(content_.escapeResult), content(std::move(content_)) {}
  int32_t ButtonAt(int32_t pointX, int32_t pointY) const;
  void Press(int32_t button);
  void PaintText(cairo_t* cairo) const;

  BoxContent content;
  XID transientFor = 0;
  int32_t focused = 0;
  int32_t armed = -1;  // the button a press went down on
};

}  // namespace X11Toolkit
