#pragma once

#include <memory>
#include <string>

#include "host/vst2/VstInterface.h"
#include "tools/quorvel-host/ModuleLibrary.h"

namespace QuorvelHost {

class HostedVst2;

// A VST2 module file and its entry point (VSTPluginMain, or main in older
// modules). It must outlive every instance made from it.
class PluginModule final {
 public:
  // Null with a one-line reason in `error` when the file is no VST2 module.
  static std::unique_ptr<PluginModule> Open(const std::string& path, std::string& error);
  // A module already in the process (tests hand in an entry function).
  explicit PluginModule(VstPluginMainProc entry, std::string name = "built-in");

  PluginModule(const PluginModule&) = delete;
  PluginModule& operator=(const PluginModule&) = delete;

  // A new instance, or null with a one-line reason in `error`.
  std::unique_ptr<HostedVst2> CreateInstance(std::string& error) const;

  const std::string& Name() const { return name_; }

 private:
  PluginModule(std::unique_ptr<ModuleLibrary> library, VstPluginMainProc entry, std::string name);

  std::unique_ptr<ModuleLibrary> library_;
  VstPluginMainProc entry_;
  std::string name_;
};

}  // namespace QuorvelHost
