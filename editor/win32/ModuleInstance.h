#pragma once

#include <windows.h>

namespace VstToolkit {

// The plug-in module as the loader handed it to the module entry: where the editor
// finds its images, dialog and window classes. Null before the module entry ran.
HINSTANCE GetModuleInstance();

}  // namespace VstToolkit
