#include "editor/ControlNotifications.h"

#include "host/Controller.h"

namespace VstToolkit {

void DeliverControlNotification(Controller& controller, ToolkitCore::Notification notification, int32_t index,
                                float value, void* controlWindow) {
  switch (notification) {
    case ToolkitCore::Notification::kValueChanged:
      controller.OnViewParameterValueChanged(index, value);
      break;
    case ToolkitCore::Notification::kHover:
      controller.OnParameterControlMouseHover(index);
      break;
    case ToolkitCore::Notification::kLeave:
      controller.OnParameterControlMouseLeave();
      break;
    case ToolkitCore::Notification::kRightClicked:
      controller.OnParameterControlRightClicked(index, controlWindow);
      break;
  }
}

}  // namespace VstToolkit
