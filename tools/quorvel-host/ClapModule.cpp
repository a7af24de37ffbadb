#include "tools/quorvel-host/ClapModule.h"

#include <cstring>

namespace QuorvelHost {

bool ClapModule::IsClapPath(const std::string& path) {
  return path.size() > 5 && path.compare(path.size() - 5, 5, ".clap") == 0;
}

std::unique_ptr<ClapModule> ClapModule::Open(const std::string& path, std::string& error) {
  std::unique_ptr<ClapModule> module(new ClapModule());
  module->name_ = path;
  module->library_ = ModuleLibrary::Open(path, error);
  if (module->library_ == nullptr) {
    return nullptr;
  }
  // clap_entry is a record, not a function: the symbol's address is the record's.
  const auto* entry = reinterpret_cast<const clap_plugin_entry_t*>(module->library_->FindFunction("clap_entry"));
  if (entry == nullptr) {
    error = "module " + path + " exports no clap_entry";
    return nullptr;
  }
  if (entry->clap_version.major < 1 || entry->init == nullptr || entry->deinit == nullptr ||
      entry->get_factory == nullptr) {
    error = "module " + path + ": clap_entry is incomplete or of an incompatible version";
    return nullptr;
  }
  if (!entry->init(path.c_str())) {
    error = "module " + path + ": clap_entry.init failed";
    return nullptr;
  }
  module->entry_ = entry;
  module->factory_ = static_cast<const clap_plugin_factory_t*>(entry->get_factory(CLAP_PLUGIN_FACTORY_ID));
  const clap_plugin_factory_t* factory = module->factory_;
  if (factory == nullptr || factory->get_plugin_count == nullptr || factory->get_plugin_descriptor == nullptr ||
      factory->create_plugin == nullptr || factory->get_plugin_count(factory) == 0 || module->Descriptor() == nullptr) {
    error = "module " + path + " offers no plug-in factory with a plug-in";
    return nullptr;
  }
  return module;
}

ClapModule::~ClapModule() {
  if (entry_ != nullptr) {
    entry_->deinit();
  }
}

const clap_plugin_descriptor_t* ClapModule::Descriptor() const {
  const clap_plugin_descriptor_t* descriptor = factory_->get_plugin_descriptor(factory_, 0);
  return descriptor != nullptr && descriptor->id != nullptr && descriptor->name != nullptr ? descriptor : nullptr;
}

}  // namespace QuorvelHost
