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
    if (!(targetSamples < currentSamples || targetSamples > currentSamples)) {
      return;  // on target (or a NaN, which the owner never supplies)
    }
    const float previous = state;
    state = (aimSamples * inputCoefficient + decay * state) + 1e-25f;
    // The step is a fixed function of `state`: once it returns the same bits, every later
    // step until the next Retarget or SetTimeConstant does too.
    stalled = Bits(state) == Bits(previous);
    currentSamples = state;
    if ((direction == kFalling && state <= targetSamples) ||
        (direction == kRising && state >= targetSamples)) {
      currentSamples = targetSamples;
    }
  }

  // True when no later Step can change CurrentSamples: the glide has landed on its target,
  // or single precision has stalled it short of it.
  bool Settled() const {
    return stalled || !(targetSamples < currentSamples || targetSamples > currentSamples);
  }

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
