#include <dlfcn.h>

#include "tests/module/LoadedModule.h"

namespace QuorvelTest {

LoadedModule::LoadedModule(const char* path) : handle(dlopen(path, RTLD_NOW | RTLD_LOCAL)) {}

LoadedModule::~LoadedModule() {
  if (handle != nullptr) dlclose(handle);
}

void* LoadedModule::Symbol(const char* name) const {
  return handle != nullptr ? dlsym(handle, name) : nullptr;
}

}  // namespace QuorvelTest
