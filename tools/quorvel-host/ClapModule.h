#pragma once

#include <memory>
#include <string>

#include "host/clap/ClapBase.h"
#include "tools/module-library/ModuleLibrary.h"

namespace QuorvelHost {

// A .clap file loaded as hosts load one: the library, its clap_entry (a compatible
// version, init with the file's path), and its plug-in factory. deinit runs before the
// library unloads. It must outlive every instance made from it.
class ClapModule final {
 public:
  // Whether a path names a CLAP module (it ends in ".clap").
  static bool IsClapPath(const std::string& path);
  // Null with a one-line reason in `error` when the path holds no loadable CLAP module.
  static std::unique_ptr<ClapModule> Open(const std::string& path, std::string& error);
  ~ClapModule();
  ClapModule(const ClapModule&) = delete;
  ClapModule& operator=(const ClapModule&) = delete;

  const clap_plugin_entry_t& Entry() const { return *entry_; }
  const clap_plugin_factory_t& Factory() const { return *factory_; }
  // The factory's first plug-in (the one quorvel-host drives).
  const clap_plugin_descriptor_t* Descriptor() const;
  const std::string& Name() const { return name_; }

 private:
  ClapModule() = default;

  std::unique_ptr<ModuleLibrary> library_;
  const clap_plugin_entry_t* entry_ = nullptr;  // set once init succeeded: deinit is then due
  const clap_plugin_factory_t* factory_ = nullptr;
  std::string name_;
};

}  // namespace QuorvelHost
