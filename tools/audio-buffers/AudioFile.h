#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace QuorvelHost {

class ChannelBuffers;

// An audio file in memory, read and written through libsndfile (WAV, AIFF,
// FLAC, Ogg and whatever else the library knows), samples as interleaved floats.
class AudioFile final {
 public:
  // False with a one-line reason when the file is missing or unreadable.
  bool Load(const std::string& path, std::string& error);
  // Writes the samples with the container the file name's extension names and,
  // where that container allows it, the sample format of the file loaded last
  // (else 24-bit). Samples beyond full scale are clipped, not wrapped.
  bool Save(const std::string& path, const std::string& formatName, std::string& error) const;
  // The container for a file name, by extension; 0 for an unknown extension.
  static int ContainerFor(const std::string& path);

  int32_t Channels() const { return channels_; }
  int32_t SampleRate() const { return sampleRate_; }
  int64_t Frames() const { return frames_; }

  // Copies the file into `buffers` from frame 0; a file with fewer channels
  // than the buffers repeats its last channel (mono feeds both inputs).
  void CopyTo(ChannelBuffers& buffers) const;
  // Takes every frame and channel of `buffers`, keeping the sample rate.
  void CopyFrom(ChannelBuffers& buffers);
  void SetSampleRate(int32_t rate) { sampleRate_ = rate; }

 private:
  int32_t channels_ = 0;
  int32_t sampleRate_ = 0;
  int32_t subtype_ = 0;
  int64_t frames_ = 0;
  std::vector<float> samples_;
};

}  // namespace QuorvelHost
