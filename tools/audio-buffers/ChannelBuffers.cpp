#include "tools/audio-buffers/ChannelBuffers.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace QuorvelHost {

ChannelBuffers::ChannelBuffers(int32_t channels, int64_t frames)
    : channels_(static_cast<size_t>(std::max(channels, 1)), std::vector<float>(static_cast<size_t>(frames))),
      pointers_(channels_.size()),
      frames_(frames) {}

float** ChannelBuffers::At(int64_t offset) {
  for (size_t i = 0; i < channels_.size(); ++i) {
    pointers_[i] = channels_[i].data() + offset;
  }
  return pointers_.data();
}

void ChannelBuffers::Fill(float value) {
  for (auto& channel : channels_) {
    std::fill(channel.begin(), channel.end(), value);
  }
}

double ChannelBuffers::LargestDifference(const ChannelBuffers& other) const {
  if (other.channels_.size() != channels_.size() || other.frames_ != frames_) {
    return std::numeric_limits<double>::infinity();
  }
  double largest = 0.0;
  for (size_t c = 0; c < channels_.size(); ++c) {
    for (size_t i = 0; i < channels_[c].size(); ++i) {
      double difference = std::fabs(static_cast<double>(channels_[c][i]) - other.channels_[c][i]);
      // NaN compares false with everything; it counts as infinitely different.
      if (!(difference <= largest)) {
        largest = std::isnan(difference) ? std::numeric_limits<double>::infinity() : difference;
      }
    }
  }
  return largest;
}

}  // namespace QuorvelHost
