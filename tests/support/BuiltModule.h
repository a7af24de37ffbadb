#pragma once

#include <memory>
#include <string>

#include "tools/module-library/ModuleLibrary.h"

namespace QuorvelTest {

// The built plug-in (QUORVEL_MODULE_PATH), loaded once per test process the way a
// host loads it; null when it cannot be loaded.
inline const QuorvelHost::ModuleLibrary* BuiltModule() {
  static std::string error;
  static const std::unique_ptr<QuorvelHost::ModuleLibrary> module =
      QuorvelHost::ModuleLibrary::Open(QUORVEL_MODULE_PATH, error);
  return module.get();
}

}  // namespace QuorvelTest
