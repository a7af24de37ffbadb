#pragma once

#include <cstdint>
#include <string>

namespace QuorvelHost {

class HostedPlugin;
class Validator;

// Checks any format answers through HostedPlugin alone.
// Threads: the thread that runs the battery, as host and audio thread alike.
class PortableChecks final {
 public:
  // Modules loaded and released again and again, runs of no frames and without audio, a
  // state round trip into a fresh instance, and a state of other bytes refused without a
  // trace; all but VST2, whose own checks of opcodes and chunks stand for these.
  static void Run(Validator& validator);
  // The audio path (ProcessingChecks.cpp): automation at any frame while processing,
  // block-size independence, sample rates (fresh and switched), clean numbers, denormal
  // silence, in-place buffers.
  static void Processing(Validator& validator);
  // The audio path under watch (RealtimeChecks.cpp): after a warm-up with the largest
  // event list, no call of the format's event delivery or processing may allocate or
  // lock, whatever settings, programs, mapped controllers and tempi it runs with.
  static void Realtime(Validator& validator);
  // The loading check alone, for VST2, whose own checks of chunks stand for the rest.
  static void LoadRepeatedly(Validator& validator);
  // The state (the program's alone if `program`) of an instance `vary` set up (null: random
  // values), loaded into a fresh one, which then selects the program `vary` returned (none
  // if negative): the same bytes back and the same sound. VST2 runs it for its chunks.
  static void RoundTrip(Validator& validator, const std::string& check, bool program,
                        int32_t (*vary)(HostedPlugin&));
};

}  // namespace QuorvelHost
