#pragma once

#include <emmintrin.h>

#include <cassert>
#include <cmath>
#include <limits>

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

  // Audio thread: four consecutive samples, as four calls of Process filter them. Only the
  // recursion through the previous output goes sample by sample; the rest is done for the
  // four at once. Should an output not be finite, the four go through Process instead.
  template <FilterKind kKind>
  __m128 ProcessFour(__m128 x) {
    assert(kKind == kind);
    const __m128 stored = _mm_add_ps(_mm_set1_ps(kBias), x);  // each sample's previousInput
    const __m128 before =
        _mm_move_ss(_mm_shuffle_ps(stored, stored, _MM_SHUFFLE(2, 1, 0, 0)), _mm_set_ss(previousInput));
    const __m128 fed = _mm_mul_ps(
        kKind == FilterKind::kLowPass ? _mm_add_ps(x, before) : _mm_sub_ps(x, before), _mm_set1_ps(gain));
    const float y0 = _mm_cvtss_f32(fed) + pole * previousOutput;
    const float y1 = _mm_cvtss_f32(_mm_shuffle_ps(fed, fed, _MM_SHUFFLE(1, 1, 1, 1))) + pole * (kBias + y0);
    const float y2 = _mm_cvtss_f32(_mm_shuffle_ps(fed, fed, _MM_SHUFFLE(2, 2, 2, 2))) + pole * (kBias + y1);
    const float y3 = _mm_cvtss_f32(_mm_shuffle_ps(fed, fed, _MM_SHUFFLE(3, 3, 3, 3))) + pole * (kBias + y2);
    const __m128 y = _mm_setr_ps(y0, y1, y2, y3);
    const __m128 magnitude = _mm_andnot_ps(_mm_set1_ps(-0.0f), y);
    if (_mm_movemask_ps(_mm_cmple_ps(magnitude, _mm_set1_ps(std::numeric_limits<float>::max()))) != 0xF) {
      alignas(16) float samples[4];
      _mm_store_ps(samples, x);
      for (float& sample : samples) {
        sample = Process<kKind>(sample);
      }
      return _mm_load_ps(samples);
    }
    previousInput = _mm_cvtss_f32(_mm_shuffle_ps(stored, stored, _MM_SHUFFLE(3, 3, 3, 3)));
    previousOutput = kBias + y3;
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
