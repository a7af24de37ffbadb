#include <windows.h>

#include "tools/module-library/ModuleLibrary.h"

namespace QuorvelHost {

std::unique_ptr<ModuleLibrary> ModuleLibrary::Open(const std::string& path, std::string& error) {
  // No "cannot find DLL" message boxes: a missing dependency is reported as text.
  UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  HMODULE handle = LoadLibraryA(path.c_str());
  DWORD code = GetLastError();
  SetErrorMode(previous);
  if (handle == nullptr) {
    error = "cannot load module " + path + ": Windows error " + std::to_string(code);
    return nullptr;
  }
  return std::unique_ptr<ModuleLibrary>(new ModuleLibrary(reinterpret_cast<void*>(handle)));
}

ModuleLibrary::~ModuleLibrary() {
  FreeLibrary(reinterpret_cast<HMODULE>(handle_));
}

ModuleLibrary::Function ModuleLibrary::FindFunction(const char* name) const {
  return reinterpret_cast<Function>(GetProcAddress(reinterpret_cast<HMODULE>(handle_), name));
}

}  // namespace QuorvelHost
