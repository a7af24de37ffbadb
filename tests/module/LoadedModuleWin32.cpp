#include <windows.h>

#include <cstring>

#include "tests/module/LoadedModule.h"

namespace QuorvelTest {

LoadedModule::LoadedModule(const char* path) : handle(LoadLibraryA(path)) {}

LoadedModule::~LoadedModule() {
  if (handle != nullptr) FreeLibrary(static_cast<HMODULE>(handle));
}

void* LoadedModule::Symbol(const char* name) const {
  if (handle == nullptr) return nullptr;
  FARPROC proc = GetProcAddress(static_cast<HMODULE>(handle), name);
  void* address = nullptr;
  static_assert(sizeof(proc) == sizeof(address), "code and data pointers have one size here");
  std::memcpy(&address, &proc, sizeof(address));
  return address;
}

}  // namespace QuorvelTest
