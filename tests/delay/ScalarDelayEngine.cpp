#include "tests/delay/ScalarDelayEngine.h"

#include <cmath>
#include <initializer_list>
#include <limits>

#include "delay/SoftSaturator.h"
#include "delay/StereoCopy.h"

namespace {

// A NaN or an infinity from the host would otherwise circulate in the line for ever (even
// without feedback, as 0 * NaN is NaN) and from there settle in the filter memories, which
// nothing clears. It is heard once, in that frame's dry signal, and never stored.
inline float StorableSample(float value) {
  return std::fabs(value) <= std::numeric_limits<float>::max() ? value : 0.0f;
}

}  // namespace

ScalarDelayEngine::ScalarDelayEngine()
    : leftLine(1000),
      rightLine(1000),
      lowPassLeft(FilterKind::kLowPass, 44100.0f, 11025.0f),
      lowPassRight(FilterKind::kLowPass, 44100.0f, 11025.0f),
      highPassLeft(FilterKind::kHighPass, 44100.0f, 11025.0f),
      highPassRight(FilterKind::kHighPass, 44100.0f, 11025.0f) {
  // Sizes the lines and derives the glides for the starting rate; both delays rise from 0.
  SetSampleRate(sampleRate);
}

bool ScalarDelayEngine::IsUsableSampleRate(float hertz) const {
  if (!(hertz > 0.0f && hertz <= kHighestSampleRate)) {
    return false;  // also NaN and infinities
  }
  return static_cast<int32_t>(maxDelaySeconds * hertz) >= 1;
}

void ScalarDelayEngine::SetSampleRate(float hertz) {
  if (!IsUsableSampleRate(hertz)) {
    // Nothing derived from such a rate would be meaningful: keep the last usable settings
    // and drop the lines, which makes Process pass its input through.
    leftLine.Resize(0);
    rightLine.Resize(0);
    return;
  }
  sampleRate = hertz;
  for (FilterSection* section : {&highPassLeft, &highPassRight, &lowPassLeft, &lowPassRight}) {
    section->SetSampleRate(hertz);
  }
  const int32_t length = static_cast<int32_t>(maxDelaySeconds * hertz);
  leftLine.Resize(length);
  rightLine.Resize(length);
  // The glides keep their position and head for the new sample counts.
  SetLeftDelay(leftDelaySeconds);
  SetRightDelay(rightDelaySeconds);
  const int32_t timeConstant = DelayRamp::TimeConstantForSampleRate(hertz);
  leftRamp.SetTimeConstant(timeConstant);
  rightRamp.SetTimeConstant(timeConstant);
}

void ScalarDelayEngine::SetCutoff(float hertz) {
  cutoff = hertz;
  for (FilterSection* section : {&lowPassLeft, &lowPassRight, &highPassLeft, &highPassRight}) {
    section->SetCutoff(hertz);
  }
}

float ScalarDelayEngine::LimitDelay(float seconds) const {
  if (!(seconds > 0.0f)) {
    return 0.0f;
  }
  return seconds > maxDelaySeconds ? maxDelaySeconds : seconds;
}

void ScalarDelayEngine::SetLeftDelay(float seconds) {
  leftDelaySeconds = LimitDelay(seconds);
  leftDelaySamples = leftDelaySeconds * sampleRate;
  leftRamp.Retarget(leftDelaySamples);
}

void ScalarDelayEngine::SetRightDelay(float seconds) {
  rightDelaySeconds = LimitDelay(seconds);
  rightDelaySamples = rightDelaySeconds * sampleRate;
  rightRamp.Retarget(rightDelaySamples);
}

void ScalarDelayEngine::Clear() {
  leftLine.Clear();
  rightLine.Clear();
}

void ScalarDelayEngine::Process(const float* inLeft, const float* inRight, float* outLeft, float* outRight,
                          int32_t frames) {
  if (frames > 0) {
    if (!HasLines()) {
      CopyStereo(inLeft, inRight, outLeft, outRight, frames);
    } else if (!filterEnabled) {
      panEnabled ? Run<EchoFilter::kNone, true>(inLeft, inRight, outLeft, outRight, frames)
                 : Run<EchoFilter::kNone, false>(inLeft, inRight, outLeft, outRight, frames);
    } else if (filterType == 0) {
      panEnabled ? Run<EchoFilter::kLowPass, true>(inLeft, inRight, outLeft, outRight, frames)
                 : Run<EchoFilter::kLowPass, false>(inLeft, inRight, outLeft, outRight, frames);
    } else {
      panEnabled ? Run<EchoFilter::kHighPass, true>(inLeft, inRight, outLeft, outRight, frames)
                 : Run<EchoFilter::kHighPass, false>(inLeft, inRight, outLeft, outRight, frames);
    }
  }
  // The alternating sign keeps the denormal guard from building up a DC offset.
  antiDenormal = -antiDenormal;
}

template <ScalarDelayEngine::EchoFilter kFilter, bool kPan>
void ScalarDelayEngine::Run(const float* inLeft, const float* inRight, float* outLeft, float* outRight,
                      int32_t frames) {
  constexpr FilterKind kKind = kFilter == EchoFilter::kHighPass ? FilterKind::kHighPass : FilterKind::kLowPass;
  // Working copies: stores to the output arrays could otherwise force every float member
  // to be reloaded on every frame.
  DelayRamp left = leftRamp;
  DelayRamp right = rightRamp;
  FilterSection filterLeft = kFilter == EchoFilter::kHighPass ? highPassLeft : lowPassLeft;
  FilterSection filterRight = kFilter == EchoFilter::kHighPass ? highPassRight : lowPassRight;
  const float gain = feedback;
  const float denormalGuard = antiDenormal;
  const float dry = 1.0f - mix;
  const float wet = 1.0f - dry;

  for (int32_t i = 0; i < frames; ++i) {
    // Read both inputs first: an output may share its array with either input.
    const float inL = inLeft[i];
    const float inR = inRight[i];

    left.Step();
    float echoL = leftLine.Read(left.CurrentSamples());
    if constexpr (kFilter != EchoFilter::kNone) {
      echoL = filterLeft.Process<kKind>(echoL);
    }
    right.Step();
    float echoR = rightLine.Read(right.CurrentSamples());
    if constexpr (kFilter != EchoFilter::kNone) {
      echoR = filterRight.Process<kKind>(echoR);
    }

    const float sourceL = kPan ? echoR : echoL;
    const float sourceR = kPan ? echoL : echoR;
    leftLine.Write(StorableSample(denormalGuard + (gain * SoftSaturate(sourceL) + inL)));
    rightLine.Write(StorableSample((gain * SoftSaturate(sourceR) + inR) + denormalGuard));

    outLeft[i] = dry * inL + wet * echoL;
    outRight[i] = dry * inR + wet * echoR;
  }

  leftRamp = left;
  rightRamp = right;
  if constexpr (kFilter == EchoFilter::kLowPass) {
    lowPassLeft = filterLeft;
    lowPassRight = filterRight;
  } else if constexpr (kFilter == EchoFilter::kHighPass) {
    highPassLeft = filterLeft;
    highPassRight = filterRight;
  }
}
