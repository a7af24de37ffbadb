#pragma once

#include <cstdint>
#include <string>

namespace QuorvelHost {

class HostedPlugin;
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
  // The state (the program's alone if `program`) of an instance `vary` set up (null: random
  // values), loaded into a fresh one, which then selects the program `vary` returned (none
  // if negative): the same bytes back and the same sound. VST2 runs it for its chunks.
  static void RoundTrip(Validator& validator, const std::string& check, bool program,
                        int32_t (*vary)(HostedPlugin&));
};

}  // namespace QuorvelHost
