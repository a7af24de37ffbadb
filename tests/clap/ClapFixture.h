#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "tools/quorvel-host/ClapInstance.h"
#include "tools/quorvel-host/ClapModule.h"
#include "tools/quorvel-host/PluginInstance.h"
#include "tools/quorvel-host/PluginModule.h"

namespace QuorvelTest {

// The built CLAP module (QUORVEL_CLAP_MODULE) and VST2 module (QUORVEL_VST2_MODULE), each
// loaded once per test process through quorvel-host, the project's test host.
const QuorvelHost::ClapModule& ClapModule();
const QuorvelHost::PluginModule& Vst2Module();

// A fresh CLAP instance, activated and processing at `rate`; and a fresh VST2 one.
std::unique_ptr<QuorvelHost::ClapInstance> StartClap(double rate = 44100.0, int32_t maxBlock = 4096);
std::unique_ptr<QuorvelHost::PluginInstance> StartVst2(double rate = 44100.0, int32_t maxBlock = 4096);

// The VST2 module's bank chunk with controller 74 learned for Feedback and 21 for Mix.
std::vector<uint8_t> LearnedVst2Bank();

// Stereo blocks for either format.
struct StereoBlock {
  explicit StereoBlock(int32_t frames) : left(static_cast<size_t>(frames)), right(static_cast<size_t>(frames)) {}
  float** Channels() {
    pointers[0] = left.data();
    pointers[1] = right.data();
    return pointers;
  }
  // The channels from frame `start` on.
  float** From(int32_t start) {
    pointers[0] = left.data() + start;
    pointers[1] = right.data() + start;
    return pointers;
  }
  bool operator==(const StereoBlock& other) const { return left == other.left && right == other.right; }
  std::vector<float> left;
  std::vector<float> right;
  float* pointers[2] = {};
};

}  // namespace QuorvelTest
