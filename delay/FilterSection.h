#pragma once

#include <cassert>
#include <cmath>

enum class FilterKind { kLowPass, kHighPass };

// One first-order recursive filter (bilinear design) for one channel.
class FilterSection final {
 public:
  FilterSection(FilterKind kind, float sampleRate, float cutoff);

  // Takes the new rate, pulls a cutoff above half of it down to half, and redesigns.
  void SetSampleRate(float hertz);
  // Takes the cutoff as given and redesigns.
  void SetCutoff(float hertz);

  // Audio thread: filters one sample. The caller picks the kind once per block.
  template <FilterKind kKind>
  float Process(float x) {
    assert(kKind == kind);
    float y = kKind == FilterKind::kLowPass ? (x + previousInput) * gain + pole * previousOutput
                                            : (x - previousInput) * gain + pole * previousOutput;
    // Two samples near the float limit overflow the sum. Such a result is dropped,
    // as the line drops what is not finite, so that the memory never keeps it.
    if (!std::isfinite(y)) {
      y = 0.0f;
    }
    // The bias keeps the memories away from subnormal numbers during silence.
    previousInput = kBias + x;
    previousOutput = kBias + y;
    return y;
  }

  FilterKind Kind() const { return kind; }
  float SampleRate() const { return sampleRate; }
  float Cutoff() const { return cutoff; }
  float Gain() const { return gain; }
  float Pole() const { return pole; }
  float PreviousInput() const { return previousInput; }
  float PreviousOutput() const { return previousOutput; }

  static constexpr float kBias = 1e-25f;

 private:
  void Design();

  FilterKind kind;
  float sampleRate;
  float cutoff;
  float gain = 0.0f;
  float pole = 0.0f;
  float previousInput = 0.0f;
  float previousOutput = 0.0f;
};
