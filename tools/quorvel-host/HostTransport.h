#pragma once

#include <cstdint>

namespace QuorvelHost {

// The transport a block runner reports to its plug-in: tempo, start position, time
// signature and whether it plays; 120 bpm, 4/4, from the start, playing unless set.
// Each format's runner turns it into its own records.
// Threads: the thread that runs the blocks.
class HostTransport {
 public:
  void SetTempo(double bpm) { tempo_ = bpm; }
  void SetPlaying(bool playing) { playing_ = playing; }
  void SetStartPosition(double quarterNotes) { startPosition_ = quarterNotes; }
  void SetTimeSignature(int32_t numerator, int32_t denominator) {
    numerator_ = numerator;
    denominator_ = denominator;
  }

 protected:
  ~HostTransport() = default;

  double tempo_ = 120.0;
  bool playing_ = true;
  double startPosition_ = 0.0;
  int32_t numerator_ = 4;
  int32_t denominator_ = 4;
};

}  // namespace QuorvelHost
