#pragma once

namespace QuorvelHost {

class Validator;

// Checks of the audio path: automation while processing, block-size
// independence, sample rates, clean numbers, denormal silence, in-place buffers.
class ProcessingChecks final {
 public:
  static void Run(Validator& validator);
};

}  // namespace QuorvelHost
