#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "tools/quorvel-host/Lv2Instance.h"
#include "tools/quorvel-host/Lv2Module.h"
#include "tools/quorvel-host/PluginInstance.h"
#include "tools/quorvel-host/PluginModule.h"

namespace QuorvelTest {

// The built bundle (QUORVEL_LV2_BUNDLE) and VST2 module (QUORVEL_VST2_MODULE), each
// loaded once per test process through quorvel-host, the project's test host.
const QuorvelHost::Lv2Module& Bundle();
const QuorvelHost::PluginModule& Vst2Module();

// A fresh LV2 instance of the bundle at `rate`; and a fresh VST2 one, started.
std::unique_ptr<QuorvelHost::Lv2Instance> StartLv2(double rate = 44100.0);
std::unique_ptr<QuorvelHost::PluginInstance> StartVst2(double rate = 44100.0, int32_t maxBlock = 4096);

// The VST2 module's bank chunk with controller 74 learned for Feedback and 21 for Mix.
std::vector<uint8_t> LearnedVst2Bank();

// Stereo blocks for either format.
struct StereoBlock {
  explicit StereoBlock(int32_t frames) : left(static_cast<size_t>(frames)), right(static_cast<size_t>(frames)) {}
  float** Channels(int32_t offset = 0) {
    pointers[0] = left.data() + offset;
    pointers[1] = right.data() + offset;
    return pointers;
  }
  bool operator==(const StereoBlock& other) const { return left == other.left && right == other.right; }
  std::vector<float> left;
  std::vector<float> right;
  float* pointers[2] = {};
};

}  // namespace QuorvelTest
