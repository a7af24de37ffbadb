#include "toolkit/x11/Box.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <memory>
#include <string>
#include <utility>

#include "toolkit/x11/Connection.h"
#include "toolkit/x11/ErrorTrap.h"
#include "toolkit/x11/TextPainter.h"
#include "toolkit/x11/Theme.h"

namespace X11Toolkit {

namespace {

// The top-level window that holds `window`: the host's, which the box stands for.
XID TopLevelOf(::Display* display, XID window) {
  XID current = window;
  for (int depth = 0; depth < 64; ++depth) {
    XID root = 0;
    XID parent = 0;
    XID* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, current, &root, &parent, &children, &count) == 0) return 0;
    if (children != nullptr) XFree(children);
    if (parent == root || parent == 0) return current;
    current = parent;
  }
  return current;
}

}  // namespace

void Box::Open(Connection& connection, const Window& owner, BoxContent content, Answer answer) {
  ::Display* display = connection.GetDisplay();
  std::unique_ptr<Box> box(new Box(std::move(content), std::move(answer)));
  box->scale = owner.scale;
  int32_t left = 0;
  int32_t top = 0;
  {
    ErrorTrap trap(display);
    box->transientFor = TopLevelOf(display, owner.GetId());
    XWindowAttributes host{};
    XID child = 0;
    int rootX = 0;
    int rootY = 0;
    if (box->transientFor != 0 && XGetWindowAttributes(display, box->transientFor, &host) != 0 &&
        XTranslateCoordinates(display, box->transientFor, DefaultRootWindow(display), 0, 0, &rootX, &rootY,
                              &child) != 0) {
      left = rootX + (host.width - box->content.width) / 2;
      top = rootY + (host.height - box->content.height) / 2;
    }
    if (trap.Failed()) box->transientFor = 0;
  }
  int previousRevert = 0;
  XGetInputFocus(display, &box->previousFocus, &previousRevert);
  if (!box->Create(connection, DefaultRootWindow(display), left, top, box->content.width, box->content.height)) {
    box->previousFocus = 0;
    box->Finish(box->content.escapeResult);
  }
  connection.Adopt(std::move(box));
}

Box::Box(BoxContent content_, Answer answer_)
    : Prompt(content_.escapeResult, std::move(answer_)), content(std::move(content_)) {}

Box::~Box() {
  if (previousFocus == 0 || previousFocus == PointerRoot || GetConnection() == nullptr) return;
  ErrorTrap trap(GetConnection()->GetDisplay());
  XSetInputFocus(GetConnection()->GetDisplay(), previousFocus, RevertToParent, CurrentTime);
}

void Box::OnButtonPress(const XButtonEvent& event) {
  if (event.button == Button1) armed = ButtonAt(event.x, event.y);
}

void Box::OnButtonRelease(const XButtonEvent& event) {
  if (event.button != Button1) return;
  const int32_t button = ButtonAt(event.x, event.y);
  if (button >= 0 && button == armed) Press(button);
  armed = -1;
}

void Box::OnKeyPress(const XKeyEvent& event) {
  XKeyEvent copy = event;
  const KeySym key = XLookupKeysym(&copy, 0);
  const auto count = static_cast<int32_t>(content.buttons.size());
  if (key == XK_Escape) {
    Finish(content.escapeResult);
  } else if ((key == XK_Return || key == XK_KP_Enter || key == XK_space) && count > 0) {
    Press(focused);
  } else if ((key == XK_Tab || key == XK_Right || key == XK_Left) && count > 0) {
    focused = (focused + (key == XK_Left ? count - 1 : 1)) % count;
    Invalidate();
  }
}

void Box::OnClientMessage(const XClientMessageEvent& event) {
  if (event.format == 32 && static_cast<Atom>(event.data.l[0]) == GetConnection()->WindowDeleteAtom()) {
    Finish(content.escapeResult);
  }
}

void Box::OnMapped() {
  ErrorTrap trap(GetConnection()->GetDisplay());
  XSetInputFocus(GetConnection()->GetDisplay(), GetId(), RevertToParent, CurrentTime);
}

void Box::Paint(cairo_t* cairo) {
  const ToolkitCore::Area whole{0, 0, width, height};
  Theme::Fill(cairo, Theme::kFace3D, whole);
  if (content.picture != nullptr) content.picture->DrawPart(cairo, 0, 0, width, height);
  if (content.warningIcon) {
    // A triangle of (36, 20), (56, 54), (16, 54) with a "!" in its lower part.
    const auto at = [this](int32_t logical) { return static_cast<double>(scale.Scale(logical)); };
    Theme::SetColour(cairo, Theme::kWarning);
    cairo_move_to(cairo, at(36), at(20));
    cairo_line_to(cairo, at(56), at(54));
    cairo_line_to(cairo, at(16), at(54));
    cairo_close_path(cairo);
    cairo_fill(cairo);
    Theme::SetColour(cairo, Theme::kText);
    TextPainter mark(cairo, Theme::kFace, scale.Scale(24));
    mark.ShowCentred("!", ToolkitCore::Area{scale.Scale(16), scale.Scale(28), scale.Scale(56), scale.Scale(54)});
  }
  if (!content.text.empty()) PaintText(cairo);
  // The labels at the exact factor, not a rounded cell: at 1x they just fit their buttons.
  TextPainter painter(cairo, Theme::kFace, Theme::kTextHeight * scale.GetFactor());
  for (size_t i = 0; i < content.buttons.size(); ++i) {
    const BoxButton& button = content.buttons[i];
    Theme::Fill(cairo, Theme::kFace3D, button.area);
    Theme::Frame(cairo, static_cast<int32_t>(i) == focused ? Theme::kHighlight : Theme::kShadow, button.area);
    Theme::SetColour(cairo, Theme::kText);
    painter.ShowCentred(button.text.c_str(), button.area);
  }
}

long Box::EventMask() const {
  return Window::EventMask() | ButtonPressMask | ButtonReleaseMask | KeyPressMask;
}

void Box::Decorate() {
  ::Display* display = GetConnection()->GetDisplay();
  XStoreName(display, GetId(), content.caption.c_str());
  Atom deleteAtom = GetConnection()->WindowDeleteAtom();
  XSetWMProtocols(display, GetId(), &deleteAtom, 1);
  if (transientFor != 0) XSetTransientForHint(display, GetId(), transientFor);
  XSizeHints* hints = XAllocSizeHints();
  if (hints != nullptr) {
    hints->flags = PPosition | PMinSize | PMaxSize;
    hints->x = x;
    hints->y = y;
    hints->min_width = hints->max_width = width;
    hints->min_height = hints->max_height = height;
    XSetWMNormalHints(display, GetId(), hints);
    XFree(hints);
  }
  XClassHint hint{const_cast<char*>("box"), const_cast<char*>("QuorvelBox")};
  XSetClassHint(display, GetId(), &hint);
}

int32_t Box::ButtonAt(int32_t pointX, int32_t pointY) const {
  for (size_t i = 0; i < content.buttons.size(); ++i) {
    if (content.buttons[i].area.Contains(pointX, pointY)) return static_cast<int32_t>(i);
  }
  return -1;
}

void Box::Press(int32_t button) {
  const BoxButton& pressed = content.buttons[static_cast<size_t>(button)];
  if (pressed.closes) {
    Finish(pressed.result);
  } else if (content.action) {
    content.action(pressed.result);
  }
}

void Box::PaintText(cairo_t* cairo) const {
  // Word by word into lines no wider than the text area.
  TextPainter painter(cairo, Theme::kFace, scale.Scale(Theme::kTextHeight));
  Theme::SetColour(cairo, Theme::kText);
  const std::string& text = content.text;
  std::string line;
  double bottom = content.textArea.top + painter.LineHeight();
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(' ', start);
    if (end == std::string::npos) end = text.size();
    const std::string word = text.substr(start, end - start);
    const std::string candidate = line.empty() ? word : line + " " + word;
    if (!line.empty() && painter.Width(candidate.c_str()) > content.textArea.Width()) {
      painter.ShowOnBottom(line.c_str(), content.textArea.left, bottom);
      bottom += painter.LineHeight() + scale.Scale(2);
      line = word;
    } else {
      line = candidate;
    }
    start = end + 1;
  }
  if (!line.empty()) painter.ShowOnBottom(line.c_str(), content.textArea.left, bottom);
}

}  // namespace X11Toolkit
