#include "editor/win32/WindowClasses.h"

#include "editor/win32/QuorvelDelayView.h"
#include "toolkit/win32/IncrementButton.h"
#include "toolkit/win32/Knob.h"
#include "toolkit/win32/Multiswitch.h"
#include "toolkit/win32/StatusControl.h"

namespace VstToolkit {

namespace {

constexpr const char* kClassNames[] = {
    QuorvelDelayView::kClassName,
    WindowsToolkit::Knob::kClassName,
    WindowsToolkit::Multiswitch::kClassName,
    WindowsToolkit::IncrementButton::kClassName,
    WindowsToolkit::StatusControl::kClassName,
};

}  // namespace

bool RegisterWindowClasses(HINSTANCE instance) {
  for (const char* name : kClassNames) {
    if (!WindowsToolkit::Window::RegisterWindowClass(name, instance)) return false;
  }
  return true;
}

void UnregisterWindowClasses(HINSTANCE instance) {
  for (const char* name : kClassNames) UnregisterClassA(name, instance);
}

}  // namespace VstToolkit
