#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/quorvel-host/ChannelBuffers.h"
#include "tools/quorvel-host/EventList.h"

namespace QuorvelHost {

// What render asks of a VST3 bundle, the options already read: the same settings and
// activity as for a VST2 module, in VST3's terms. Parameters are found by ID, short or
// long title; chunk files are handed over as the component's state (the plug-in takes
// its own state and the VST2 forms); a program by the program-change parameter; MIDI
// control changes through the plug-in's MIDI mapping, at their frames.
class Vst3Renderer final {
 public:
  struct Settings {
    double sampleRate = 44100.0;
    int32_t blockSize = 512;
    double tempo = 120.0;
    double position = 0.0;
    int32_t numerator = 4;
    int32_t denominator = 4;
    bool playing = true;
    std::vector<std::vector<uint8_t>> states;  // in order: --chunk, --program-chunk
    int64_t program = -1;                      // none when negative
    std::vector<std::string> parameters;       // NAME=VALUE
    std::vector<TimedMidiMessage> controllers;  // sorted by frame
  };

  // Renders `input` into `output`; false with a one-line reason.
  static bool Render(const std::string& path, const Settings& settings, ChannelBuffers& input,
                     ChannelBuffers& output, std::string& error);
};

}  // namespace QuorvelHost
