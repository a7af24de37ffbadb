#include <dlfcn.h>

#include <cstring>

#include "tools/module-library/ModuleLibrary.h"

namespace QuorvelHost {

std::unique_ptr<ModuleLibrary> ModuleLibrary::Open(const std::string& path, std::string& error) {
  // A bare file name would make dlopen search the library path instead of the
  // current folder, which is never what a user giving a module file means.
  std::string name = path.find('/') == std::string::npos ? "./" + path : path;
  void* handle = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* reason = dlerror();
    error = "cannot load module " + path + ": " + (reason != nullptr ? reason : "unknown reason");
    return nullptr;
  }
  return std::unique_ptr<ModuleLibrary>(new ModuleLibrary(handle));
}

ModuleLibrary::~ModuleLibrary() {
  dlclose(handle_);
}

ModuleLibrary::Function ModuleLibrary::FindFunction(const char* name) const {
  // dlsym hands out functions as object pointers; copying the bits is the
  // conversion POSIX guarantees without a pedantic cast.
  void* address = dlsym(handle_, name);
  Function function = nullptr;
  static_assert(sizeof(function) == sizeof(address), "function and object pointers differ in size");
  std::memcpy(&function, &address, sizeof(function));
  return function;
}

}  // namespace QuorvelHost
