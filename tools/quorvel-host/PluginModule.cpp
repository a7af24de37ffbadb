#include "tools/quorvel-host/PluginModule.h"

#include <utility>

#include "tools/quorvel-host/HostedVst2.h"

namespace QuorvelHost {

std::unique_ptr<PluginModule> PluginModule::Open(const std::string& path, std::string& error) {
  std::unique_ptr<ModuleLibrary> library = ModuleLibrary::Open(path, error);
  if (library == nullptr) {
    return nullptr;
  }
  VstPluginMainProc entry = library->FindEntry("VSTPluginMain");
  if (entry == nullptr) {
    entry = library->FindEntry("main");
  }
  if (entry == nullptr) {
    error = "module " + path + " exports neither VSTPluginMain nor main: not a VST2 plug-in";
    return nullptr;
  }
  return std::unique_ptr<PluginModule>(new PluginModule(std::move(library), entry, path));
}

PluginModule::PluginModule(VstPluginMainProc entry, std::string name)
    : library_(nullptr), entry_(entry), name_(std::move(name)) {}

PluginModule::PluginModule(std::unique_ptr<ModuleLibrary> library, VstPluginMainProc entry, std::string name)
    : library_(std::move(library)), entry_(entry), name_(std::move(name)) {}

std::unique_ptr<HostedVst2> PluginModule::CreateInstance(std::string& error) const {
  return HostedVst2::Create(entry_, name_, error);
}

}  // namespace QuorvelHost
