#include "toolkit/win32/RegisteredMessages.h"

#include "toolkit/core/NotificationNames.h"

namespace WindowsToolkit {

using ToolkitCore::NameOf;
using ToolkitCore::Notification;

const UINT UWM_PC_VALUECHANGED = RegisterWindowMessageA(NameOf(Notification::kValueChanged));
const UINT UWM_PC_HOVER = RegisterWindowMessageA(NameOf(Notification::kHover));
const UINT UWM_PC_LEAVE = RegisterWindowMessageA(NameOf(Notification::kLeave));
const UINT UWM_PC_RIGHTCLICKED = RegisterWindowMessageA(NameOf(Notification::kRightClicked));

}  // namespace WindowsToolkit
