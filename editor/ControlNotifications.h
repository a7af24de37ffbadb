#pragma once

#include <cstdint>

#include "toolkit/core/NotificationNames.h"

namespace VstToolkit {

class Controller;

// What a view does with a control's notification, on every platform: the Controller
// hears of the edit (with the value read now), the hover, the leave or the right click.
// `controlWindow` is the control's native window, where the parameter menu opens.
// User-interface thread; on Windows a right click runs the menu's modal loop, so the
// view may be gone when this returns.
void DeliverControlNotification(Controller& controller, ToolkitCore::Notification notification, int32_t index,
                                float value, void* controlWindow);

}  // namespace VstToolkit
