#pragma once

#include <cstddef>
#include <cstdint>
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
  bool operator==(const StereoBlock& other) const { return left == other.left && right == other.right; }
  std::vector<float> left;
  std::vector<float> right;
  float* pointers[2] = {};
};

}  // namespace QuorvelTest
