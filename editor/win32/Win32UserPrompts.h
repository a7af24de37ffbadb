#pragma once

#include "instance/UserPrompts.h"

namespace VstToolkit {

// The Windows editor's menus and warning box, in the Win32 modal loops (a
// process-wide object without state).
UserPrompts& GetWin32UserPrompts();

}  // namespace VstToolkit
