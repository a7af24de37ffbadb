#include "editor/WindowClasses.h"

#include "editor/QuorvelDelayView.h"
#include "toolkit/IncrementButton.h"
#include "toolkit/Knob.h"
#include "toolkit/Multiswitch.h"
#include "toolkit/StatusControl.h"

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
