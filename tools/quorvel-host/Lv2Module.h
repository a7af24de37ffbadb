#pragma once

#include <string>

namespace QuorvelHost {

// How the commands tell an LV2 bundle from the other formats' modules, on every platform;
// Lv2World loads one (Linux only).
class Lv2Module final {
 public:
  // Whether a path names an LV2 bundle (it ends in ".lv2", a separator or more aside).
  static bool IsLv2Path(const std::string& path) {
    const size_t last = path.find_last_not_of("/\\");
    return last != std::string::npos && last >= 4 && path.compare(last - 3, 4, ".lv2") == 0;
  }
};

}  // namespace QuorvelHost
