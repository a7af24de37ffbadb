#pragma once

#include <memory>
#include <string>

#include "host/vst2/VstInterface.h"

namespace QuorvelHost {

// A loaded shared library (dlopen natively, LoadLibrary on Windows); unloaded
// when the object goes away. The platform half lives in its own source file,
// chosen by CMake. The one loader of the tools and of the tests that load the
// built plug-in.
class ModuleLibrary final {
 public:
  // Null with a one-line reason in `error` when the file cannot be loaded.
  static std::unique_ptr<ModuleLibrary> Open(const std::string& path, std::string& error);

  ~ModuleLibrary();
  ModuleLibrary(const ModuleLibrary&) = delete;
  ModuleLibrary& operator=(const ModuleLibrary&) = delete;

  // Main thread, before any module loads: `watcher` sees the handle of every module
  // loaded from then on, before anything of the module runs but its initialisation.
  using LoadWatcher = void (*)(void* handle);
  static void WatchLoads(LoadWatcher watcher) { loadWatcher_ = watcher; }

  // An exported function of unknown type, or null; the caller casts it.
  using Function = void (*)();
  Function FindFunction(const char* name) const;
  // The platform's handle of the library (what VST3's ModuleEntry takes).
  void* Handle() const { return handle_; }
  // An exported VST2 entry point (VSTPluginMain, or main in older modules), or null.
  VstPluginMainProc FindEntry(const char* name) const {
    return reinterpret_cast<VstPluginMainProc>(FindFunction(name));
  }

 private:
  explicit ModuleLibrary(void* handle) : handle_(handle) {
    if (loadWatcher_ != nullptr) {
      loadWatcher_(handle);
    }
  }

  static inline LoadWatcher loadWatcher_ = nullptr;
  void* handle_;
};

}  // namespace QuorvelHost
