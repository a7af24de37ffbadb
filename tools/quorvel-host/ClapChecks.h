#pragma once

namespace QuorvelHost {

class Validator;

// The validate battery's checks of what only CLAP has (a flush inside a block of no frames,
// state streamed in pieces while audio runs, the editor's timers and descriptors), run as
// a strict host: each also fails when the plug-in called the host on a thread the format
// forbids for that call.
class ClapChecks final {
 public:
  static void Run(Validator& validator);
};

}  // namespace QuorvelHost
