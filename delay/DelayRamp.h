#pragma once

#include <cstdint>
#include <cstring>

// The smoothed delay time of one channel, in samples: a one-pole glide aimed a little
// beyond the target so that it crosses it in finite time and then sits on it.
// In single precision the glide can also stall a few samples short of the target and stay
// there; that offset is inaudible and is kept, since every later echo depends on it.
class DelayRamp final {
 public:
  // The smoothing time constant, in samples, for a sample rate: about 0.227 s at any rate.
  static int32_t TimeConstantForSampleRate(float sampleRate);

  // Sets the time constant and the coefficients derived from it.
  void SetTimeConstant(int32_t samples);
  // Heads for `samples` from wherever the glide is now.
  void Retarget(float samples);

  // Audio thread: one frame of the glide.
  void Step() {
    if (OnTarget()) {
      return;
    }
    const float previous = state;
    state = Next(state, aimSamples * inputCoefficient);
    // The step is a fixed function of `state`: once it returns the same bits, every later
    // step until the next Retarget or SetTimeConstant does too.
    stalled = Bits(state) == Bits(previous);
    currentSamples = Reaches(state) ? targetSamples : state;
  }

  // Audio thread: four frames of the glide at once, their positions into `positions`, for a
  // stretch in which the glide does not land: the very steps of Step, with the checks made
  // once for the four. Returns false, changing nothing, when one of the four would land;
  // Step then takes them one by one.
  bool StepFour(float (&positions)[4]) {
    if (OnTarget()) {
      positions[0] = positions[1] = positions[2] = positions[3] = currentSamples;
      return true;
    }
    const float aimed = aimSamples * inputCoefficient;
    const float s0 = Next(state, aimed);
    const float s1 = Next(s0, aimed);
    const float s2 = Next(s1, aimed);
    const float s3 = Next(s2, aimed);
    // Reaches for the four, with one branch on the direction.
    const float t = targetSamples;
    const bool lands = direction == kFalling ? ((s0 <= t) | (s1 <= t) | (s2 <= t) | (s3 <= t))
                                             : ((s0 >= t) | (s1 >= t) | (s2 >= t) | (s3 >= t));
    if (lands) {
      return false;
    }
    // Only the last step's comparison counts: a stalled state repeats its bits for ever.
    stalled = Bits(s3) == Bits(s2);
    state = s3;
    currentSamples = s3;
    positions[0] = s0;
    positions[1] = s1;
    positions[2] = s2;
    positions[3] = s3;
    return true;
  }

  // True when no later Step can change CurrentSamples: the glide has landed on its target,
  // or single precision has stalled it short of it.
  bool Settled() const { return stalled || OnTarget(); }

  static constexpr int32_t kRising = 0;
  static constexpr int32_t kFalling = 1;

  int32_t TimeConstant() const { return timeConstant; }
  float InputCoefficient() const { return inputCoefficient; }
  float Decay() const { return decay; }
  float State() const { return state; }
  int32_t Direction() const { return direction; }
  float TargetSamples() const { return targetSamples; }
  float AimSamples() const { return aimSamples; }
  float CurrentSamples() const { return currentSamples; }

 private:
  // Also true for a NaN, which the owner never supplies.
  // Also true for a NaN, which the owner never supplies.
  bool OnTarget() const { return !(targetSamples < currentSamples || targetSamples > currentSamples); }
  // One step of the glide from `from`; `aimed` is aimSamples * inputCoefficient.
  float Next(float from, float aimed) const { return (aimed + decay * from) + 1e-25f; }
  // Whether the glide has crossed its target at `position`, from the side it started on.
  bool Reaches(float position) const {
    return direction == kFalling ? position <= targetSamples : position >= targetSamples;
  }

  static uint32_t Bits(float value) {
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
  }

  int32_t timeConstant = 0;
  float inputCoefficient = 1.0f;
  float decay = 0.0f;
  float state = 0.0f;
  int32_t direction = kRising;
  float targetSamples = 0.0f;
  float aimSamples = 0.0f;
  float currentSamples = 0.0f;
  bool stalled = false;
};
