#pragma once

#include <windows.h>

#include "toolkit/core/NotificationNames.h"

namespace WindowsToolkit {

// The notifications a parameter control posts to its parent: wParam carries the
// control's parameter index, lParam the posting ParameterControl. They carry no
// value: the receiver reads the control when it handles the message.
// Registered during static initialisation, before any window exists; read-only after.
extern const UINT UWM_PC_VALUECHANGED;
extern const UINT UWM_PC_HOVER;
extern const UINT UWM_PC_LEAVE;
extern const UINT UWM_PC_RIGHTCLICKED;
extern const UINT UWM_PC_GESTUREBEGAN;
extern const UINT UWM_PC_GESTUREENDED;

// Any thread: the message of a notification, and the notification a message
// is (false for any other message).
UINT MessageOf(ToolkitCore::Notification notification);
bool IsNotification(UINT message, ToolkitCore::Notification& notification);

}  // namespace WindowsToolkit
