#pragma once

#include <cstddef>

namespace ToolkitCore {

// The notifications a parameter control sends its view, by the names every platform
// registers them under (window messages on Windows, atoms on X11). They carry the
// control's parameter index and the control, never a value: the view reads the
// control when it handles the notification. A gesture's begin and end bracket the
// value changes the user makes in one drag or click, so that a host records them as
// one edit.
enum class Notification { kValueChanged, kHover, kLeave, kRightClicked, kGestureBegan, kGestureEnded };

constexpr const char* kNotificationNames[] = {
    "UWM_PC_VALUECHANGED-{19E51BEB-CF75-46aa-9890-B4178F0367D8}",
    "UWM_PC_HOVER-{19E51BEB-CF75-46aa-9890-B4178F0367D8}",
    "UWM_PC_LEAVE-{19E51BEB-CF75-46aa-9890-B4178F0367D8}",
    "UWM_PC_RIGHTCLICKED-{19E51BEB-CF75-46aa-9890-B4178F0367D8}",
    "UWM_PC_GESTUREBEGAN-{19E51BEB-CF75-46aa-9890-B4178F0367D8}",
    "UWM_PC_GESTUREENDED-{19E51BEB-CF75-46aa-9890-B4178F0367D8}",
};

constexpr std::size_t kNotificationCount = sizeof kNotificationNames / sizeof kNotificationNames[0];

constexpr const char* NameOf(Notification notification) {
  return kNotificationNames[static_cast<int>(notification)];
}

}  // namespace ToolkitCore
