#pragma once

namespace QuorvelHost {

class Validator;

// The audio path under watch, in every format: after a warm-up with the largest
// event list, no call of the format's event delivery or processing may allocate
// or lock, whatever settings, programs, mapped controllers and tempi it runs with.
// Threads: the thread that runs the battery, as host and audio thread alike.
class RealtimeChecks final {
 public:
  static void Run(Validator& validator);
};

}  // namespace QuorvelHost
