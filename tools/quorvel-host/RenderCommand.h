#pragma once

#include <string>
#include <vector>

namespace QuorvelHost {

// quorvel-host render MODULE IN OUT [options]: an audio file through a plug-in.
// Native builds only (libsndfile); the Windows build says so.
class RenderCommand final {
 public:
  static int Run(const std::vector<std::string>& args);
};

}  // namespace QuorvelHost
