#pragma once

#include <string>

namespace QuorvelHost {

// quorvel-host info BUNDLE.lv2: what an LV2 host learns about the plug-in through lilv:
// its URI, name, class, features, extension data, ports (with their ranges, properties
// and scale points), UIs and state.
class Lv2InfoCommand final {
 public:
  static int Run(const std::string& path);
};

}  // namespace QuorvelHost
