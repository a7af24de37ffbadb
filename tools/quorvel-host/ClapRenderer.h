#pragma once

#include <string>

#include "tools/quorvel-host/ChannelBuffers.h"
#include "tools/quorvel-host/Vst3Renderer.h"

namespace QuorvelHost {

// What render asks of a CLAP module: the settings render reads for every format (those
// of a VST3 bundle), in CLAP's terms. Parameters are found by ID or name; chunk files are
// handed over as the plug-in's state (it takes its own and the VST2 forms); MIDI control
// changes go to the note port at their frames. CLAP has no programs: asking for one fails.
class ClapRenderer final {
 public:
  // Renders `input` into `output`; false with a one-line reason.
  static bool Render(const std::string& path, const Vst3Renderer::Settings& settings, ChannelBuffers& input,
                     ChannelBuffers& output, std::string& error);
};

}  // namespace QuorvelHost
