#pragma once

#include <cstdint>

#include "delay/DelayLine.h"
#include "delay/DelayRamp.h"
#include "delay/FilterSection.h"

class EchoMix;

// The stereo delay: two lines with gliding delay times, an optional low- or high-pass
// filter on the echoes, saturated feedback that may cross between the channels ("Pan"),
// and a dry/wet mix. It works in seconds, hertz, gains and flags only.
//
// Threads: one writer. Process, the setters and the plain fields belong to the audio
// thread; an owner reached from other threads hands their changes over to it (as
// QuorvelDelayModel does) instead of calling in. SetSampleRate replaces the lines, which
// allocates: only while the host is not processing, as the VST2 interface demands.
class DelayEngine final {
 public:
  DelayEngine();
  DelayEngine(const DelayEngine&) = delete;
  DelayEngine& operator=(const DelayEngine&) = delete;

  // The host's thread while it is not processing. Rates that cannot hold a line of at least
  // one sample, or that are not finite, or that exceed kHighestSampleRate, leave the engine
  // without lines: it then passes its input through unchanged until a usable rate arrives.
  void SetSampleRate(float hertz);
  // Audio thread.
  void SetCutoff(float hertz);
  // Audio thread. Delay times are held within 0..maxDelaySeconds; NaN counts as 0. A second
  // call before the next Process leaves the glide as that call alone would.
  void SetLeftDelay(float seconds);
  void SetRightDelay(float seconds);
  // Audio thread: silences both lines; positions, glides and filter memories stay.
  void Clear();

  // Audio thread. Any of the outputs may be the same array as any of the inputs.
  void Process(const float* inLeft, const float* inRight, float* outLeft, float* outRight, int32_t frames);

  static constexpr float kHighestSampleRate = 768000.0f;
  const float maxDelaySeconds = 1.0f;

  // Written by the owner on the audio thread; read at the start of every Process call.
  float feedback = 0.75f;
  bool filterEnabled = false;
  int32_t filterType = 0;  // 0 low-pass, anything else high-pass
  bool panEnabled = true;
  float mix = 0.5f;  // 0 input only, 1 echoes only

  bool HasLines() const { return leftLine.Length() > 0; }
  float SampleRate() const { return sampleRate; }
  float Cutoff() const { return cutoff; }
  float LeftDelaySeconds() const { return leftDelaySeconds; }
  float LeftDelaySamples() const { return leftDelaySamples; }
  float RightDelaySeconds() const { return rightDelaySeconds; }
  float RightDelaySamples() const { return rightDelaySamples; }
  float AntiDenormal() const { return antiDenormal; }
  const DelayLine& LeftLine() const { return leftLine; }
  const DelayLine& RightLine() const { return rightLine; }
  const DelayRamp& LeftRamp() const { return leftRamp; }
  const DelayRamp& RightRamp() const { return rightRamp; }
  const FilterSection& LowPassLeft() const { return lowPassLeft; }
  const FilterSection& LowPassRight() const { return lowPassRight; }
  const FilterSection& HighPassLeft() const { return highPassLeft; }
  const FilterSection& HighPassRight() const { return highPassRight; }

 private:
  enum class EchoFilter { kNone, kLowPass, kHighPass };

  template <EchoFilter kFilter, bool kPan>
  void Run(const float* inLeft, const float* inRight, float* outLeft, float* outRight, int32_t frames);

  struct Stretch {
    const float* inLeft;
    const float* inRight;
    float* outLeft;
    float* outRight;
    int32_t frames;
  };
  template <EchoFilter kFilter, bool kPan>
  int32_t RunSettled(const Stretch& stretch, float leftDelay, float rightDelay, FilterSection& filterLeft,
                     FilterSection& filterRight, const EchoMix& echoMix);

  bool IsUsableSampleRate(float hertz) const;
  float LimitDelay(float seconds) const;

  DelayLine leftLine;
  DelayLine rightLine;
  DelayRamp leftRamp;
  DelayRamp rightRamp;
  FilterSection lowPassLeft;
  FilterSection lowPassRight;
  FilterSection highPassLeft;
  FilterSection highPassRight;
  float sampleRate = 44100.0f;
  float leftDelaySeconds = 0.5f;
  float leftDelaySamples = 22050.0f;
  float rightDelaySeconds = 0.25f;
  float rightDelaySamples = 11025.0f;
  float cutoff = 11025.0f;
  float antiDenormal = 1e-25f;
};
