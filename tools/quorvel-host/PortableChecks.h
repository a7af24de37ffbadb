#pragma once

namespace QuorvelHost {

class Validator;

// Checks any format answers through HostedPlugin alone: finite sound at the usual rates,
// the same sound whatever the block size and with the outputs in the inputs' buffers,
// runs of no frames and without audio, a state round trip into a fresh instance, and a
// state of other bytes refused without a trace.
class PortableChecks final {
 public:
  static void Run(Validator& validator);
};

}  // namespace QuorvelHost
