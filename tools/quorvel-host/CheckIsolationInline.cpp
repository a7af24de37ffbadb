#include "tools/quorvel-host/Validator.h"

namespace QuorvelHost {

// Without fork a group runs in the tool's own process.
void Validator::RunGroup(const char* /*name*/, void (*group)(Validator&)) {
  group(*this);
}

}  // namespace QuorvelHost
