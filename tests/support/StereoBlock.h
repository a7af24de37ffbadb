#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

namespace QuorvelTest {

// A stereo block any format's instance processes. Test thread only.
struct StereoBlock {
  explicit StereoBlock(int32_t frames) : left(static_cast<size_t>(frames)), right(static_cast<size_t>(frames)) {}
  // The channels from frame `offset` on.
  float** Channels(int32_t offset = 0) {
    pointers[0] = left.data() + offset;
    pointers[1] = right.data() + offset;
    return pointers;
  }
  // Both channels filled with uniform noise in [-1, 1), left and right sample by sample.
  void FillWithNoise(std::mt19937& random) {
    std::uniform_real_distribution<float> sample(-1.0f, 1.0f);
    for (size_t i = 0; i < left.size(); ++i) {
      left[i] = sample(random);
      right[i] = sample(random);
    }
  }
  bool operator==(const StereoBlock& other) const { return left == other.left && right == other.right; }
  std::vector<float> left;
  std::vector<float> right;
  float* pointers[2] = {};
};

}  // namespace QuorvelTest
