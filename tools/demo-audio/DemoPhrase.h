#pragma once

#include <cstdint>

namespace QuorvelHost {

class ChannelBuffers;

// The project's own demo material: two bars of a drum loop (kick, snare, hats)
// under a short plucked phrase, synthesised from scratch so that no
// third-party audio is involved. Deterministic: the same samples every time.
class DemoPhrase final {
 public:
  static constexpr int32_t kSampleRate = 44100;
  static constexpr double kTempo = 120.0;
  static constexpr int32_t kBars = 2;

  // A mono buffer with the phrase (peak below full scale).
  static ChannelBuffers Render();

 private:
  static void AddKick(float* out, int64_t at, int64_t frames);
  static void AddSnare(float* out, int64_t at, int64_t frames, uint32_t& noise);
  static void AddHat(float* out, int64_t at, int64_t frames, uint32_t& noise);
  static void AddPluck(float* out, int64_t at, int64_t frames, double hertz);
};

}  // namespace QuorvelHost
