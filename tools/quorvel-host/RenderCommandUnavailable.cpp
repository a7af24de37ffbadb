#include "tools/quorvel-host/RenderCommand.h"
#include "tools/quorvel-host/ToolOutput.h"

namespace QuorvelHost {

int RenderCommand::Run(const std::vector<std::string>& /*args*/) {
  return ToolOutput::Error("render", "not available in this build (it needs libsndfile); use the Linux build",
                           ToolOutput::kUsageError);
}

}  // namespace QuorvelHost
