#pragma once

namespace QuorvelHost {

class Validator;

// Checks of the audio path in every format, through HostedPlugin: automation at any
// frame while processing, block-size independence, sample rates (fresh and switched),
// clean numbers, denormal silence, in-place buffers.
// Threads: the thread that runs the battery, as host and audio thread alike.
class ProcessingChecks final {
 public:
  static void Run(Validator& validator);
};

}  // namespace QuorvelHost
