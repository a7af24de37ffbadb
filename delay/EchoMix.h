#pragma once

#include <emmintrin.h>

#include <cmath>
#include <limits>

#include "delay/SoftSaturator.h"

// What becomes of a frame's two echoes: the saturated feedback written into the lines and
// the dry/wet mix sent out, for one frame (scalar) or four frames at once (SSE2, which every
// x86-64 processor has). The four-frame forms perform, lane by lane, the very single-
// precision operations of the one-frame forms in the same order, so both give the same bits.
class EchoMix final {
 public:
  EchoMix(float feedback, float antiDenormal, float mix)
      : gain(feedback), guard(antiDenormal), dry(1.0f - mix), wet(1.0f - dry) {}

  // A NaN or an infinity from the host would otherwise circulate in the line for ever (even
  // without feedback, as 0 * NaN is NaN) and from there settle in the filter memories, which
  // nothing clears. It is heard once, in that frame's dry signal, and never stored.
  static float Storable(float value) {
    return std::fabs(value) <= std::numeric_limits<float>::max() ? value : 0.0f;
  }

  float FeedLeft(float source, float in) const {
    return Storable(guard + (gain * SoftSaturate(source) + in));
  }
  float FeedRight(float source, float in) const {
    return Storable((gain * SoftSaturate(source) + in) + guard);
  }
  float Out(float in, float echo) const { return dry * in + wet * echo; }

  __m128 FeedLeft(__m128 source, __m128 in) const {
    return Storable(
        _mm_add_ps(_mm_set1_ps(guard), _mm_add_ps(_mm_mul_ps(_mm_set1_ps(gain), Saturate(source)), in)));
  }
  __m128 FeedRight(__m128 source, __m128 in) const {
    return Storable(
        _mm_add_ps(_mm_add_ps(_mm_mul_ps(_mm_set1_ps(gain), Saturate(source)), in), _mm_set1_ps(guard)));
  }
  __m128 Out(__m128 in, __m128 echo) const {
    return _mm_add_ps(_mm_mul_ps(_mm_set1_ps(dry), in), _mm_mul_ps(_mm_set1_ps(wet), echo));
  }

 private:
  static __m128 Storable(__m128 value) {
    const __m128 magnitude = _mm_andnot_ps(_mm_set1_ps(-0.0f), value);
    return _mm_and_ps(_mm_cmple_ps(magnitude, _mm_set1_ps(std::numeric_limits<float>::max())), value);
  }

  // SoftSaturate on four lanes, by its odd symmetry: the lower bend's (-0.72) / x equals
  // 0.72 / |x| exactly (division rounds symmetrically), so it is the upper bend of |x| with
  // the sign put back, which leaves a NaN, a zero's sign and the straight part untouched.
  // Straight lanes divide by 0.72 instead of |x|, so no lane divides by zero.
  static __m128 Saturate(__m128 x) {
    const __m128 sign = _mm_set1_ps(-0.0f);
    const __m128 knee = _mm_set1_ps(0.72f);
    const __m128 magnitude = _mm_andnot_ps(sign, x);
    const __m128 bends = _mm_cmpgt_ps(magnitude, knee);
    const __m128 quotient = _mm_div_ps(knee, _mm_max_ps(magnitude, knee));
    const __m128 bent =
        _mm_add_ps(_mm_mul_ps(_mm_sub_ps(_mm_set1_ps(1.0f), quotient), _mm_set1_ps(0.27999997f)), knee);
    const __m128 shaped = _mm_or_ps(_mm_and_ps(bends, bent), _mm_andnot_ps(bends, magnitude));
    return _mm_or_ps(shaped, _mm_and_ps(sign, x));
  }

  float gain;
  float guard;
  float dry;
  float wet;
};
