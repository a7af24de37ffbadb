#include "toolkit/x11/PopupMenu.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <memory>
#include <utility>

#include "toolkit/x11/Connection.h"
#include "toolkit/x11/TextPainter.h"
#include "toolkit/x11/Theme.h"

namespace X11Toolkit {

namespace {
constexpr int32_t kItemHeight = 22;
constexpr int32_t kTextInset = 24;
constexpr int32_t kMinimumWidth = 120;
}  // namespace

void PopupMenu::Open(Connection& connection, int32_t left, int32_t top, std::vector<MenuItem> items,
                     Toolkit::ScaleFactor scale, Answer answer) {
  std::unique_ptr<PopupMenu> menu(new PopupMenu(std::move(items), std::move(answer)));
  menu->scale = scale;
  // Measure the widest item with the face the menu paints in.
  cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
  cairo_t* cairo = cairo_create(scratch);
  double widest = 0;
  {
    TextPainter painter(cairo, Theme::kFace, scale.Scale(Theme::kTextHeight));
    for (const MenuItem& item : menu->items) widest = std::max(widest, painter.Width(item.text.c_str()));
  }
  cairo_destroy(cairo);
  cairo_surface_destroy(scratch);
  const int32_t w = std::max(scale.Scale(kMinimumWidth), static_cast<int32_t>(widest) + 2 * scale.Scale(kTextInset));
  const auto count = static_cast<int32_t>(menu->items.size());
  // An empty menu, or one the server refuses, is dismissed all the same.
  if (count == 0 || !menu->Create(connection, DefaultRootWindow(connection.GetDisplay()), left, top, w,
                                  count * menu->ItemHeight() + 2)) {
    menu->Finish(0);
  }
  connection.Adopt(std::move(menu));
}

PopupMenu::PopupMenu(std::vector<MenuItem> items_, Answer answer_)
    : Prompt(0, std::move(answer_)), items(std::move(items_)) {}

void PopupMenu::OnButtonPress(const XButtonEvent& event) {
  if (event.x < 0 || event.y < 0 || event.x >= width || event.y >= height) {
    Finish(0);
  } else {
    pressedInside = true;
  }
}

void PopupMenu::OnButtonRelease(const XButtonEvent& event) {
  // The release of the click that opened the menu chooses nothing.
  if (!pressedInside) return;
  const int32_t item = ItemAt(event.x, event.y);
  if (item >= 0) Finish(items[static_cast<size_t>(item)].command);
}

void PopupMenu::OnMotion(const XMotionEvent& event) {
  const int32_t item = ItemAt(event.x, event.y);
  if (item >= 0) Highlight(item);
}

void PopupMenu::OnKeyPress(const XKeyEvent& event) {
  XKeyEvent copy = event;
  const KeySym key = XLookupKeysym(&copy, 0);
  const auto count = static_cast<int32_t>(items.size());
  switch (key) {
    case XK_Down:
      Highlight(highlighted < 0 ? 0 : (highlighted + 1) % count);
      break;
    case XK_Up:
      Highlight(highlighted <= 0 ? count - 1 : highlighted - 1);
      break;
    case XK_Return:
    case XK_KP_Enter:
      Finish(highlighted >= 0 ? items[static_cast<size_t>(highlighted)].command : 0);
      break;
    case XK_Escape:
      Finish(0);
      break;
    default:
      break;
  }
}

void PopupMenu::OnMapped() {
  ::Display* display = GetConnection()->GetDisplay();
  const unsigned int pointerEvents = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;
  const int pointer =
      XGrabPointer(display, GetId(), False, pointerEvents, GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
  const int keyboard = XGrabKeyboard(display, GetId(), False, GrabModeAsync, GrabModeAsync, CurrentTime);
  // Someone else holds the pointer or the keyboard: a menu that cannot be answered
  // would hang the host, so it goes at once.
  if (pointer != GrabSuccess || keyboard != GrabSuccess) Finish(0);
}

void PopupMenu::Paint(cairo_t* cairo) {
  Theme::Fill(cairo, Theme::kFace3D, ToolkitCore::Area{0, 0, width, height});
  Theme::Frame(cairo, Theme::kShadow, ToolkitCore::Area{0, 0, width, height});
  TextPainter painter(cairo, Theme::kFace, scale.Scale(Theme::kTextHeight));
  const int32_t itemHeight = ItemHeight();
  for (size_t i = 0; i < items.size(); ++i) {
    const auto top = static_cast<int32_t>(i) * itemHeight + 1;
    const bool lit = static_cast<int32_t>(i) == highlighted;
    if (lit) Theme::Fill(cairo, Theme::kHighlight, ToolkitCore::Area{1, top, width - 1, top + itemHeight});
    Theme::SetColour(cairo, lit ? Theme::kHighlightText : Theme::kText);
    painter.ShowOnBottom(items[i].text.c_str(), scale.Scale(kTextInset),
                         top + (itemHeight + painter.LineHeight()) / 2.0);
  }
}

long PopupMenu::EventMask() const {
  return Window::EventMask() | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | KeyPressMask;
}

void PopupMenu::Decorate() {
  ::Display* display = GetConnection()->GetDisplay();
  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;
  XChangeWindowAttributes(display, GetId(), CWOverrideRedirect, &attributes);
  XClassHint hint{const_cast<char*>("popup-menu"), const_cast<char*>("QuorvelPopupMenu")};
  XSetClassHint(display, GetId(), &hint);
}

int32_t PopupMenu::ItemAt(int32_t pointX, int32_t pointY) const {
  if (pointX < 0 || pointX >= width || pointY < 1) return -1;
  const int32_t item = (pointY - 1) / ItemHeight();
  return item < static_cast<int32_t>(items.size()) ? item : -1;
}

int32_t PopupMenu::ItemHeight() const {
  return scale.Scale(kItemHeight);
}

void PopupMenu::Highlight(int32_t item) {
  if (item == highlighted) return;
  highlighted = item;
  Invalidate();
}

}  // namespace X11Toolkit
