#pragma once

#include <string>
#include <vector>

namespace QuorvelHost {

// The subcommands main hands the arguments after their names to; each answers the exit
// status. (info is InfoCommand, whose format printers live beside their adapters.)
// Threads: the main thread.

// quorvel-host render MODULE IN OUT [options]: an audio file through a plug-in.
// Native builds only (libsndfile); the Windows build says so.
int RunRender(const std::vector<std::string>& args);

// quorvel-host validate MODULE [--bank FILE]: the battery of host checks, one
// line each; exit status 0 only when every check passes.
int RunValidate(const std::vector<std::string>& args);

// quorvel-host bench MODULE [--vs OTHER]...: nanoseconds per stereo frame and the
// real-time factor at 44100 Hz, the median of repeated runs, per variant and
// block size; each --vs module follows in the same run, with its ratio.
int RunBench(const std::vector<std::string>& args);

}  // namespace QuorvelHost
