#include "tools/quorvel-host/CheckIsolation.h"

namespace QuorvelHost {

bool CheckIsolation::Run(const std::function<Counts()>& group, Counts& counts, std::string& /*how*/) {
  counts = group();
  return true;
}

}  // namespace QuorvelHost
