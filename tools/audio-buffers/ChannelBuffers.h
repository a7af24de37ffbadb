#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace QuorvelHost {

// Planar audio: one float array per channel, all of the same length, with the
// channel-pointer array that processReplacing takes. Never fewer than one
// channel, so a plug-in with no inputs still gets a valid pointer array.
class ChannelBuffers final {
 public:
  ChannelBuffers(int32_t channels, int64_t frames);

  int32_t Channels() const { return static_cast<int32_t>(channels_.size()); }
  int64_t Frames() const { return frames_; }
  float* Channel(int32_t index) { return channels_[static_cast<size_t>(index)].data(); }
  const float* Channel(int32_t index) const { return channels_[static_cast<size_t>(index)].data(); }

  // Pointers to every channel, each advanced by `offset` frames. Valid until
  // the next call.
  float** At(int64_t offset);

  void Fill(float value);
  // The largest absolute difference to another buffer of the same shape.
  double LargestDifference(const ChannelBuffers& other) const;

 private:
  std::vector<std::vector<float>> channels_;
  std::vector<float*> pointers_;
  int64_t frames_;
};

}  // namespace QuorvelHost
