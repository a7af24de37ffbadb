#pragma once

#include <cstdint>

namespace QuorvelHost {

// The transport a host reports with its blocks: tempo, whether it plays, the song
// position of frame 0 and the time signature; 120 bpm, 4/4, from the start, playing
// unless set. Each adapter turns it into its format's records.
// Threads: the thread that runs the blocks.
struct HostTransport {
  double tempo = 120.0;
  bool playing = true;
  double startPosition = 0.0;  // in quarter notes
  int32_t numerator = 4;
  int32_t denominator = 4;

  // The song position in quarter notes of a frame counted from song frame 0.
  double QuarterNotesAt(int64_t songFrame, double sampleRate) const {
    return startPosition + static_cast<double>(songFrame) / sampleRate * tempo / 60.0;
  }
  bool operator!=(const HostTransport& other) const {
    return tempo != other.tempo || playing != other.playing || startPosition != other.startPosition ||
           numerator != other.numerator || denominator != other.denominator;
  }
};

}  // namespace QuorvelHost
