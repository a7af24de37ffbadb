#include "delay/DelayRamp.h"

#include "delay/PortableMath.h"

int32_t DelayRamp::TimeConstantForSampleRate(float sampleRate) {
  // 10000 samples at 44100 Hz, scaled to the rate; 2.2675737e-5 is 1/44100 in single precision.
  const float seconds = sampleRate * 2.2675737e-5f;
  return static_cast<int32_t>(seconds * 10000.0f);
}

void DelayRamp::SetTimeConstant(int32_t samples) {
  timeConstant = samples;
  if (samples > 0) {
    const float exponent = -1.0f / static_cast<float>(samples);
    decay = static_cast<float>(PortableMath::Exp(exponent));
  } else {
    decay = 0.0f;  // e^(-1/0): no smoothing at all at rates too low for one sample of it
  }
  inputCoefficient = 1.0f - decay;
  stalled = false;
}

void DelayRamp::Retarget(float samples) {
  targetSamples = samples;
  stalled = false;
  if (samples > currentSamples) {
    direction = kRising;
    aimSamples = samples + 0.001f;
  } else {
    direction = kFalling;
    aimSamples = samples - 0.001f;
  }
}
