#include "toolkit/win32/RegisteredMessages.h"

#include <cstddef>

namespace WindowsToolkit {

using ToolkitCore::NameOf;
using ToolkitCore::Notification;

const UINT UWM_PC_VALUECHANGED = RegisterWindowMessageA(NameOf(Notification::kValueChanged));
const UINT UWM_PC_HOVER = RegisterWindowMessageA(NameOf(Notification::kHover));
const UINT UWM_PC_LEAVE = RegisterWindowMessageA(NameOf(Notification::kLeave));
const UINT UWM_PC_RIGHTCLICKED = RegisterWindowMessageA(NameOf(Notification::kRightClicked));
const UINT UWM_PC_GESTUREBEGAN = RegisterWindowMessageA(NameOf(Notification::kGestureBegan));
const UINT UWM_PC_GESTUREENDED = RegisterWindowMessageA(NameOf(Notification::kGestureEnded));

namespace {

// In the order of Notification; addresses, so that the table is ready before the
// identifiers are registered.
const UINT* const kMessages[] = {&UWM_PC_VALUECHANGED, &UWM_PC_HOVER,        &UWM_PC_LEAVE,
                                 &UWM_PC_RIGHTCLICKED, &UWM_PC_GESTUREBEGAN, &UWM_PC_GESTUREENDED};
static_assert(sizeof kMessages / sizeof kMessages[0] == ToolkitCore::kNotificationCount);

}  // namespace

UINT MessageOf(Notification notification) {
  return *kMessages[static_cast<std::size_t>(notification)];
}

bool IsNotification(UINT message, Notification& notification) {
  for (std::size_t i = 0; i < ToolkitCore::kNotificationCount; ++i) {
    if (message == *kMessages[i]) {
      notification = static_cast<Notification>(i);
      return true;
    }
  }
  return false;
}

}  // namespace WindowsToolkit
