#include "editor/ControlNotifications.h"

#include "instance/InstanceCore.h"

namespace VstToolkit {

void DeliverControlNotification(InstanceCore& core, ToolkitCore::Notification notification, int32_t index,
                                float value, NativeWindow controlWindow) {
  switch (notification) {
    case ToolkitCore::Notification::kValueChanged:
      core.OnViewParameterValueChanged(index, value);
      break;
    case ToolkitCore::Notification::kHover:
      core.OnParameterControlMouseHover(index);
      break;
    case ToolkitCore::Notification::kLeave:
      core.OnParameterControlMouseLeave();
      break;
    case ToolkitCore::Notification::kRightClicked:
      core.OnParameterControlRightClicked(index, controlWindow);
      break;
    case ToolkitCore::Notification::kGestureBegan:
      core.OnViewGestureBegan(index);
      break;
    case ToolkitCore::Notification::kGestureEnded:
      core.OnViewGestureEnded(index);
      break;
  }
}

}  // namespace VstToolkit
