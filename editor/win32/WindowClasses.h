#pragma once

#include <windows.h>

namespace VstToolkit {

// The five window classes of the editor, all served by the toolkit's window
// procedure: the delay's view, the knob, the switch, the increment button and the
// status line. They belong to the module and are shared by all its instances.

// Registers them in that order and stops at the first failure; true if all five are.
bool RegisterWindowClasses(HINSTANCE instance);
// Unregisters all five; a name that was never registered fails harmlessly.
void UnregisterWindowClasses(HINSTANCE instance);

}  // namespace VstToolkit
