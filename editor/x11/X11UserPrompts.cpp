#include "editor/x11/X11UserPrompts.h"

#include <vector>

#include "editor/ScaledLayout.h"
#include "toolkit/x11/Box.h"
#include "toolkit/x11/Connection.h"
#include "toolkit/x11/PopupMenu.h"
#include "toolkit/x11/Window.h"

namespace {

enum WarningResult : int32_t { kOk = 1, kCancel = 2 };

constexpr int32_t kWarningWidth = 380;
constexpr int32_t kWarningHeight = 140;

}  // namespace

void X11UserPrompts::ShowPopupMenu(void*, void* anchorWindow, int32_t x, int32_t y,
                                   const VstToolkit::PopupMenuItem* items, int32_t count,
                                   VstToolkit::MenuAnswer answer) {
  answer(RunMenu(anchorWindow, x, y, items, count));
}

void X11UserPrompts::ConfirmWarning(void* ownerWindow, const char* text, const char* caption,
                                    VstToolkit::WarningAnswer answer) {
  answer(RunWarning(ownerWindow, text, caption));
}

int32_t X11UserPrompts::RunMenu(void* anchorWindow, int32_t x, int32_t y, const VstToolkit::PopupMenuItem* items,
                                int32_t count) {
  auto* anchor = static_cast<X11Toolkit::Window*>(anchorWindow);
  if (anchor == nullptr || anchor->GetConnection() == nullptr || anchor->GetId() == 0 || count <= 0) return 0;
  X11Toolkit::Connection& connection = *anchor->GetConnection();
  ::Display* display = connection.GetDisplay();
  int rootX = 0;
  int rootY = 0;
  XID child = 0;
  XTranslateCoordinates(display, anchor->GetId(), DefaultRootWindow(display), x, y, &rootX, &rootY, &child);
  std::vector<X11Toolkit::MenuItem> menu;
  for (int32_t i = 0; i < count; ++i) menu.push_back({items[i].text, items[i].command});
  return X11Toolkit::PopupMenu::Run(connection, rootX, rootY, menu.data(), count, anchor->scale);
}

bool X11UserPrompts::RunWarning(void* ownerWindow, const char* text, const char* caption) {
  auto* owner = static_cast<X11Toolkit::Window*>(ownerWindow);
  if (owner == nullptr || owner->GetConnection() == nullptr || owner->GetId() == 0) return false;
  // At the scale of the window it stands for.
  const ScaledLayout layout(owner->scale);
  X11Toolkit::BoxContent content{
      caption,
      layout.Scale(kWarningWidth),
      layout.Scale(kWarningHeight),
      nullptr,
      text,
      layout.Scale(ToolkitCore::Area{72, 20, kWarningWidth - 20, 90}),
      true,
      {{"OK", layout.Scale(ToolkitCore::Area{kWarningWidth - 180, 100, kWarningWidth - 100, 125}), kOk, true},
       {"Cancel", layout.Scale(ToolkitCore::Area{kWarningWidth - 90, 100, kWarningWidth - 10, 125}), kCancel, true}},
      kCancel,
      {}};
  return X11Toolkit::Box::Run(*owner->GetConnection(), *owner, std::move(content)) == kOk;
}
