#pragma once

#include <windows.h>

namespace WindowsToolkit {

// The notifications a parameter control posts to its parent: wParam carries the
// control's parameter index, lParam the posting ParameterControl. They carry no
// value: the receiver reads the control when it handles the message.
// Registered during static initialisation, before any window exists; read-only after.
extern const UINT UWM_PC_VALUECHANGED;
extern const UINT UWM_PC_HOVER;
extern const UINT UWM_PC_LEAVE;
extern const UINT UWM_PC_RIGHTCLICKED;

}  // namespace WindowsToolkit
