#pragma once

namespace ToolkitCore {

// The four notifications a parameter control sends its view, by the names every
// platform registers them under (window messages on Windows, atoms on X11). They
// carry the control's parameter index and the control, never a value: the view
// reads the control when it handles the notification.
enum class Notification { kValueChanged, kHover, kLeave, kRightClicked };

constexpr const char* kNotificationNames[] = {
    "UWM_PC_VALUECHANGED-{19E51BEB-CF75-46aa-9890-B4178F0367D8}",
    "UWM_PC_HOVER-{19E51BEB-CF75-46aa-9890-B4178F0367D8}",
    "UWM_PC_LEAVE-{19E51BEB-CF75-46aa-9890-B4178F0367D8}",
    "UWM_PC_RIGHTCLICKED-{19E51BEB-CF75-46aa-9890-B4178F0367D8}",
};

constexpr const char* NameOf(Notification notification) {
  return kNotificationNames[static_cast<int>(notification)];
}

}  // namespace ToolkitCore
