// The plug-in module's entry: the loader calls it when the module is loaded into a
// process and when it leaves. It runs under the loader lock, so it does nothing but
// record the module and (un)register the editor's window classes.
#include <windows.h>

#include "editor/win32/ModuleInstance.h"
#include "editor/win32/WindowClasses.h"
#include "model/Trace.h"

namespace {
HINSTANCE moduleInstance = nullptr;
}  // namespace

namespace VstToolkit {

HINSTANCE GetModuleInstance() {
  return moduleInstance;
}

}  // namespace VstToolkit

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  moduleInstance = instance;
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      VstToolkit::Trace("ProcessAttach\r\n");
      return VstToolkit::RegisterWindowClasses(instance) ? TRUE : FALSE;
    case DLL_PROCESS_DETACH:
      VstToolkit::Trace("ProcessDetach\r\n");
      VstToolkit::UnregisterWindowClasses(instance);
      return TRUE;
    default:
      return TRUE;
  }
}
