#include "tools/quorvel-host/Commands.h"
#include "tools/quorvel-host/ToolOutput.h"

namespace QuorvelHost {

int RunRender(const std::vector<std::string>& /*args*/) {
  return ToolOutput::Error("render", "not available in this build (it needs libsndfile); use the Linux build",
                           ToolOutput::kUsageError);
}

}  // namespace QuorvelHost
