#pragma once

#include <cstdint>
#include <vector>

#include "toolkit/x11/ModalWindow.h"

namespace X11Toolkit {

struct MenuItem {
  const char* text;
  int32_t command;  // non-zero; 0 is what a dismissed menu answers
};

// A popup menu as an override-redirect window of our own that takes the pointer and
// the keyboard and runs a nested loop on the editor's connection until a choice is
// made: a click on an item, or Up and Down then Return; Escape or a click elsewhere
// dismisses it. User-interface thread.
class PopupMenu final : public ModalWindow {
 public:
  // Shows the menu with its top-left corner at the screen point (left, top), its items
  // and text at `scale`, and returns the chosen command, or 0 when it was dismissed.
  static int32_t Run(Connection& connection, int32_t left, int32_t top, const MenuItem* items, int32_t count,
                     Toolkit::ScaleFactor scale = Toolkit::ScaleFactor());

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
  PopupMenu(const MenuItem* items_, int32_t count);
  int32_t ItemAt(int32_t pointX, int32_t pointY) const;
  int32_t ItemHeight() const;
  void Highlight(int32_t item);

  std::vector<MenuItem> items;
  int32_t highlighted = -1;
  bool pressedInside = false;
};

}  // namespace X11Toolkit
