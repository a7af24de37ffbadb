#pragma once

namespace QuorvelHost {

class Validator;

// Checks any format answers through HostedPlugin alone: modules loaded and released again
// and again, runs of no frames and without audio, a state round trip into a fresh
// instance, and a state of other bytes refused without a trace. (The processing checks
// are ProcessingChecks, for every format.)
// Threads: the thread that runs the battery.
class PortableChecks final {
 public:
  static void Run(Validator& validator);
  // The loading check alone, for VST2, whose own checks of chunks stand for the rest.
  static void LoadRepeatedly(Validator& validator);
};

}  // namespace QuorvelHost
