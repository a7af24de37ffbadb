#pragma once

#include <string>

#include "tools/quorvel-host/ChannelBuffers.h"
#include "tools/quorvel-host/Vst3Renderer.h"

namespace QuorvelHost {

// What render asks of an LV2 bundle, with the settings read for the other formats:
// parameters by port number, symbol or name as the host's port values; chunk files handed
// over as the plug-in's state; MIDI control changes on the MIDI input at their frames; the
// transport as a time:Position in the first block. LV2 has no programs to select.
class Lv2Renderer final {
 public:
  // Renders `input` into `output`; false with a one-line reason.
  static bool Render(const std::string& path, const Vst3Renderer::Settings& settings, ChannelBuffers& input,
                     ChannelBuffers& output, std::string& error);
};

}  // namespace QuorvelHost
