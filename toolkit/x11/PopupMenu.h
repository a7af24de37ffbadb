#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/x11/Prompt.h"

namespace X11Toolkit {

struct MenuItem {
  std::string text;
  int32_t command;  // non-zero; 0 is what a dismissed menu answers
};

// A popup menu as an override-redirect window of our own that takes the pointer and
// the keyboard while it is open: a click on an item, or Up and Down then Return,
// chooses; Escape or a click elsewhere dismisses it. User-interface thread.
class PopupMenu final : public Prompt {
 public:
  // User-interface thread: shows the menu with its top-left corner at the screen point (left, top), its items
  // and text at `scale`, on `connection`, which holds it; returns at once. `answer`
  // hears the chosen command, or 0 when it was dismissed, at a later pump.
  static void Open(Connection& connection, int32_t left, int32_t top, std::vector<MenuItem> items,
                   Toolkit::ScaleFactor scale, Answer answer);

  void OnButtonPress(const XButtonEvent& event) override;
  void OnButtonRelease(const XButtonEvent& event) override;
  void OnMotion(const XMotionEvent& event) override;
  void OnKeyPress(const XKeyEvent& event) override;
  void OnMapped() override;
  void Paint(cairo_t* cairo) override;

 protected:
  long EventMask() const override;
  void Decorate() override;

 private:
  PopupMenu(std::vector<MenuItem> items_, Answer answer_);
  int32_t ItemAt(int32_t pointX, int32_t pointY) const;
  int32_t ItemHeight() const;
  void Highlight(int32_t item);

  std::vector<MenuItem> items;
  int32_t highlighted = -1;
  bool pressedInside = false;
};

}  // namespace X11Toolkit
