#pragma once

#include <string>
#include <vector>

namespace QuorvelHost {

// quorvel-host bench MODULE [--vs OTHER]...: nanoseconds per stereo frame and the
// real-time factor at 44100 Hz, the median of repeated runs, per variant and
// block size; each --vs module follows in the same run, with its ratio.
class BenchCommand final {
 public:
  static int Run(const std::vector<std::string>& args);
};

}  // namespace QuorvelHost
