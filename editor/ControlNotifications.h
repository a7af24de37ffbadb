#pragma once

#include <cstdint>

#include "instance/NativeWindow.h"
#include "toolkit/core/NotificationNames.h"

namespace VstToolkit {

class InstanceCore;

// What a view does with a control's notification, on every platform: the instance core
// hears of the edit (with the value read now), the begin or end of a gesture, the
// hover, the leave or the right click.
// `controlWindow` is the control's native window, where the parameter menu opens.
// User-interface thread; on Windows a right click runs the menu's modal loop, so the
// view may be gone when this returns.
void DeliverControlNotification(InstanceCore& core, ToolkitCore::Notification notification, int32_t index,
                                float value, NativeWindow controlWindow);

}  // namespace VstToolkit
