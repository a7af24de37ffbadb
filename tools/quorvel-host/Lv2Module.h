#pragma once

#include <memory>
#include <string>

namespace QuorvelHost {

class Lv2World;

// An LV2 bundle loaded as hosts load one, through lilv: its Turtle read, its first plug-in
// found. Instances (HostedLv2) are made from it, and it must outlive them. LV2 bundles
// load on Linux only; elsewhere only IsLv2Path is built.
class Lv2Module final {
 public:
  // Whether a path names an LV2 bundle (it ends in ".lv2", a separator or more aside).
  static bool IsLv2Path(const std::string& path) {
    const size_t last = path.find_last_not_of("/\\");
    return last != std::string::npos && last >= 4 && path.compare(last - 3, 4, ".lv2") == 0;
  }
  // Null with a one-line reason in `error` when the path holds no loadable plug-in.
  static std::unique_ptr<Lv2Module> Open(const std::string& path, std::string& error);
  ~Lv2Module();

  const std::string& Name() const { return name_; }
  const std::string& Uri() const { return uri_; }
  Lv2World& World() const { return *world_; }

 private:
  Lv2Module() = default;

  std::unique_ptr<Lv2World> world_;
  std::string name_;
  std::string uri_;
};

}  // namespace QuorvelHost
