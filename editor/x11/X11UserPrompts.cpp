#include "editor/x11/X11UserPrompts.h"

#include <utility>
#include <vector>

#include "editor/ScaledLayout.h"
#include "editor/x11/X11NativeWindow.h"
#include "toolkit/x11/Box.h"
#include "toolkit/x11/Connection.h"
#include "toolkit/x11/PopupMenu.h"
#include "toolkit/x11/Window.h"

namespace {

enum WarningResult : int32_t { kOk = 1, kCancel = 2 };

constexpr int32_t kWarningWidth = 380;
constexpr int32_t kWarningHeight = 140;

const char* OrEmpty(const char* text) {
  return text != nullptr ? text : "";
}

}  // namespace

void X11UserPrompts::ShowPopupMenu(VstToolkit::NativeWindow, VstToolkit::NativeWindow anchorWindow, int32_t x, int32_t y,
                                   const VstToolkit::PopupMenuItem* items, int32_t count,
                                   VstToolkit::MenuAnswer answer) {
  X11Toolkit::Window* anchor = WindowOf(anchorWindow);
  // A window never made has no connection to answer on later.
  if (anchor == nullptr || anchor->GetConnection() == nullptr) {
    answer(0);
    return;
  }
  X11Toolkit::Connection& connection = *anchor->GetConnection();
  ::Display* display = connection.GetDisplay();
  int rootX = 0;
  int rootY = 0;
  XID child = 0;
  if (anchor->GetId() == 0 || items == nullptr ||
      XTranslateCoordinates(display, anchor->GetId(), DefaultRootWindow(display), x, y, &rootX, &rootY,
                            &child) == 0) {
    // The host destroyed the window the menu would open on.
    connection.AnswerLater([answer = std::move(answer)] { answer(0); });
    return;
  }
  std::vector<X11Toolkit::MenuItem> menu;
  for (int32_t i = 0; i < count; ++i) menu.push_back({OrEmpty(items[i].text), items[i].command});
  X11Toolkit::PopupMenu::Open(connection, rootX, rootY, std::move(menu), anchor->scale, std::move(answer));
}

void X11UserPrompts::ConfirmWarning(VstToolkit::NativeWindow ownerWindow, const char* text, const char* caption,
                                    VstToolkit::WarningAnswer answer) {
  X11Toolkit::Window* owner = WindowOf(ownerWindow);
  if (owner == nullptr || owner->GetConnection() == nullptr) {
    answer(false);
    return;
  }
  X11Toolkit::Connection& connection = *owner->GetConnection();
  if (owner->GetId() == 0) {
    // The host destroyed the window the box would stand for.
    connection.AnswerLater([answer = std::move(answer)] { answer(false); });
    return;
  }
  // At the scale of the window it stands for.
  const ScaledLayout layout(owner->scale);
  X11Toolkit::BoxContent content{
      OrEmpty(caption),
      layout.Scale(kWarningWidth),
      layout.Scale(kWarningHeight),
      nullptr,
      OrEmpty(text),
      layout.Scale(ToolkitCore::Area{72, 20, kWarningWidth - 20, 90}),
      true,
      {{"OK", layout.Scale(ToolkitCore::Area{kWarningWidth - 180, 100, kWarningWidth - 100, 125}), kOk, true},
       {"Cancel", layout.Scale(ToolkitCore::Area{kWarningWidth - 90, 100, kWarningWidth - 10, 125}), kCancel,
        true}},
      kCancel,
      {}};
  X11Toolkit::Box::Open(connection, *owner, std::move(content),
                        [answer = std::move(answer)](int32_t result) { answer(result == kOk); });
}
