#include "delay/DelayEngine.h"

#include <emmintrin.h>

#include <algorithm>
#include <initializer_list>

#include "delay/EchoMix.h"
#include "delay/StereoCopy.h"

namespace {

// Where a run of frames reads (at constant taps), writes, takes its input and puts its
// output, from its first frame on.
struct RunLanes {
  const float* olderL;
  const float* newerL;
  const float* olderR;
  const float* newerR;
  float* writeL;
  float* writeR;
  const float* inLeft;
  const float* inRight;
  float* outLeft;
  float* outRight;
};

// One tap of a settled read, as DelayLine::Read computes it, and four consecutive ones.
[[gnu::always_inline]] inline float Tap(const float* older, const float* newer, float fraction) {
  return *older + (*newer - *older) * fraction;
}

[[gnu::always_inline]] inline __m128 Taps(const float* older, const float* newer, __m128 fraction) {
  const __m128 oldest = _mm_loadu_ps(older);
  return _mm_add_ps(oldest, _mm_mul_ps(_mm_sub_ps(_mm_loadu_ps(newer), oldest), fraction));
}

// How many frames before the frame `ahead` of the next one the sample at `index` was
// written, 0 for the oldest sample (which that frame overwrites).
[[gnu::always_inline]] inline int32_t FramesBack(const DelayLine& line, int32_t index, int32_t ahead) {
  const int32_t back = line.WriteIndex() + ahead - index;
  return back < 0 ? back + line.Length() : back;
}

// Whether one of four frames at these gliding read positions (of each channel) would read
// a sample that an earlier of the four writes: a tap 1 to 4 whole frames back. (Below 1, a
// frame reads the sample it is about to overwrite, the oldest one, and its neighbour, which
// only a later frame writes.) The caller makes sure that the lines hold at least eight
// samples, so that holding a delay at a line's length cannot bring it below 5.
[[gnu::always_inline]] inline bool ReadsOwnWrites(const float* delaysL, const float* delaysR) {
  bool reads = false;
  for (int32_t k = 0; k < 4; ++k) {
    reads |= (delaysL[k] >= 1.0f) & (delaysL[k] < 5.0f);
    reads |= (delaysR[k] >= 1.0f) & (delaysR[k] < 5.0f);
  }
  return reads;
}

// The taps of the next four frames at gliding read positions, none of which ReadsOwnWrites,
// while the four writes do not wrap.
[[gnu::always_inline]] inline __m128 GatherTaps(const DelayLine& line, const float* delays) {
  const float* samples = line.Data();
  DelayLine::Tap at[4];
  for (int32_t k = 0; k < 4; ++k) {
    at[k] = line.TapAt(delays[k], k);
  }
  // Built in registers: four stores read back as one vector would stall on store forwarding.
  const __m128 older =
      _mm_setr_ps(samples[at[0].index], samples[at[1].index], samples[at[2].index], samples[at[3].index]);
  const __m128 newer =
      _mm_setr_ps(samples[at[0].next], samples[at[1].next], samples[at[2].next], samples[at[3].next]);
  const __m128 fraction = _mm_setr_ps(at[0].fraction, at[1].fraction, at[2].fraction, at[3].fraction);
  return _mm_add_ps(older, _mm_mul_ps(_mm_sub_ps(newer, older), fraction));
}

// Feeds four frames' echoes back and mixes them out. The inputs are read before anything
// is written: an output may be an input's array.
template <bool kPan>
[[gnu::always_inline]] inline void FeedAndMixFour(const RunLanes& lanes, int32_t k, const EchoMix& echoMix,
                                                  __m128 echoL, __m128 echoR) {
  const __m128 inL = _mm_loadu_ps(lanes.inLeft + k);
  const __m128 inR = _mm_loadu_ps(lanes.inRight + k);
  _mm_storeu_ps(lanes.writeL + k, echoMix.FeedLeft(kPan ? echoR : echoL, inL));
  _mm_storeu_ps(lanes.writeR + k, echoMix.FeedRight(kPan ? echoL : echoR, inR));
  _mm_storeu_ps(lanes.outLeft + k, echoMix.Out(inL, echoL));
  _mm_storeu_ps(lanes.outRight + k, echoMix.Out(inR, echoR));
}

// The same for a whole run, four frames at a time and the rest one by one.
template <bool kPan, class FourEchoes, class OneEcho>
[[gnu::always_inline]] inline void FeedAndMix(const RunLanes& lanes, int32_t frames, const EchoMix& echoMix,
                                              FourEchoes fourEchoes, OneEcho oneEcho) {
  int32_t k = 0;
  for (; k + 4 <= frames; k += 4) {
    __m128 echoL;
    __m128 echoR;
    fourEchoes(k, echoL, echoR);
    FeedAndMixFour<kPan>(lanes, k, echoMix, echoL, echoR);
  }
  for (; k < frames; ++k) {
    float echoL;
    float echoR;
    oneEcho(k, echoL, echoR);
    const float inL = lanes.inLeft[k];
    const float inR = lanes.inRight[k];
    lanes.writeL[k] = echoMix.FeedLeft(kPan ? echoR : echoL, inL);
    lanes.writeR[k] = echoMix.FeedRight(kPan ? echoL : echoR, inR);
    lanes.outLeft[k] = echoMix.Out(inL, echoL);
    lanes.outRight[k] = echoMix.Out(inR, echoR);
  }
}

}  // namespace

DelayEngine::DelayEngine()
    : leftLine(1000),
      rightLine(1000),
      lowPassLeft(FilterKind::kLowPass, 44100.0f, 11025.0f),
      lowPassRight(FilterKind::kLowPass, 44100.0f, 11025.0f),
      highPassLeft(FilterKind::kHighPass, 44100.0f, 11025.0f),
      highPassRight(FilterKind::kHighPass, 44100.0f, 11025.0f) {
  // Sizes the lines and derives the glides for the starting rate; both delays rise from 0.
  SetSampleRate(sampleRate);
}

bool DelayEngine::IsUsableSampleRate(float hertz) const {
  if (!(hertz > 0.0f && hertz <= kHighestSampleRate)) {
    return false;  // also NaN and infinities
  }
  return static_cast<int32_t>(maxDelaySeconds * hertz) >= 1;
}

void DelayEngine::SetSampleRate(float hertz) {
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

void DelayEngine::SetCutoff(float hertz) {
  cutoff = hertz;
  for (FilterSection* section : {&lowPassLeft, &lowPassRight, &highPassLeft, &highPassRight}) {
    section->SetCutoff(hertz);
  }
}

float DelayEngine::LimitDelay(float seconds) const {
  if (!(seconds > 0.0f)) {
    return 0.0f;
  }
  return seconds > maxDelaySeconds ? maxDelaySeconds : seconds;
}

void DelayEngine::SetLeftDelay(float seconds) {
  leftDelaySeconds = LimitDelay(seconds);
  leftDelaySamples = leftDelaySeconds * sampleRate;
  leftRamp.Retarget(leftDelaySamples);
}

void DelayEngine::SetRightDelay(float seconds) {
  rightDelaySeconds = LimitDelay(seconds);
  rightDelaySamples = rightDelaySeconds * sampleRate;
  rightRamp.Retarget(rightDelaySamples);
}

void DelayEngine::Clear() {
  leftLine.Clear();
  rightLine.Clear();
}

void DelayEngine::Process(const float* inLeft, const float* inRight, float* outLeft, float* outRight,
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

template <DelayEngine::EchoFilter kFilter, bool kPan>
void DelayEngine::Run(const float* inLeft, const float* inRight, float* outLeft, float* outRight,
                      int32_t frames) {
  constexpr FilterKind kKind =
      kFilter == EchoFilter::kHighPass ? FilterKind::kHighPass : FilterKind::kLowPass;
  // Working copies: stores to the output arrays could otherwise force every float member
  // to be reloaded on every frame.
  DelayRamp left = leftRamp;
  DelayRamp right = rightRamp;
  FilterSection filterLeft = kFilter == EchoFilter::kHighPass ? highPassLeft : lowPassLeft;
  FilterSection filterRight = kFilter == EchoFilter::kHighPass ? highPassRight : lowPassRight;
  const EchoMix echoMix(feedback, antiDenormal, mix);

  // One frame at the given read positions, as the glides have just stepped to them.
  const auto frame = [&](int32_t i, float delayL, float delayR) {
    // Read both inputs first: an output may share its array with either input.
    const float inL = inLeft[i];
    const float inR = inRight[i];
    float echoL = leftLine.Read(delayL);
    float echoR = rightLine.Read(delayR);
    if constexpr (kFilter != EchoFilter::kNone) {
      echoL = filterLeft.Process<kKind>(echoL);
      echoR = filterRight.Process<kKind>(echoR);
    }
    leftLine.Write(echoMix.FeedLeft(kPan ? echoR : echoL, inL));
    rightLine.Write(echoMix.FeedRight(kPan ? echoL : echoR, inR));
    outLeft[i] = echoMix.Out(inL, echoL);
    outRight[i] = echoMix.Out(inR, echoR);
  };

  // Four frames of a glide at once, or frame by frame where it lands among them.
  const auto glideFour = [](DelayRamp& ramp, float(&delays)[4]) {
    if (!ramp.StepFour(delays)) {
      for (float& delay : delays) {
        ramp.Step();
        delay = ramp.CurrentSamples();
      }
    }
  };

  // Gliding: the glides step four frames ahead of the reads, and the four frames are
  // processed at once where none of them reads what another writes. Once both glides have
  // settled they stay so for the rest of the call.
  const int32_t length = leftLine.Length();
  int32_t i = 0;
  while (i < frames && !(left.Settled() && right.Settled())) {
    if (frames - i < 4 || length < 8 || leftLine.WriteIndex() + 4 > length ||
        rightLine.WriteIndex() + 4 > length) {
      left.Step();
      right.Step();
      frame(i++, left.CurrentSamples(), right.CurrentSamples());
      continue;
    }
    float delaysL[4];
    float delaysR[4];
    glideFour(left, delaysL);
    glideFour(right, delaysR);
    if (!ReadsOwnWrites(delaysL, delaysR)) {
      __m128 echoL = GatherTaps(leftLine, delaysL);
      __m128 echoR = GatherTaps(rightLine, delaysR);
      if constexpr (kFilter != EchoFilter::kNone) {
        echoL = filterLeft.ProcessFour<kKind>(echoL);
        echoR = filterRight.ProcessFour<kKind>(echoR);
      }
      const RunLanes lanes = {nullptr,
                              nullptr,
                              nullptr,
                              nullptr,
                              leftLine.Data() + leftLine.WriteIndex(),
                              rightLine.Data() + rightLine.WriteIndex(),
                              inLeft + i,
                              inRight + i,
                              outLeft + i,
                              outRight + i};
      FeedAndMixFour<kPan>(lanes, 0, echoMix, echoL, echoR);
      leftLine.Advance(4);
      rightLine.Advance(4);
    } else {
      for (int32_t k = 0; k < 4; ++k) {
        frame(i + k, delaysL[k], delaysR[k]);
      }
    }
    i += 4;
  }
  if (i < frames) {
    // Both read positions stay where they are for the rest of the call.
    const Stretch stretch = {inLeft + i, inRight + i, outLeft + i, outRight + i, frames - i};
    i += RunSettled<kFilter, kPan>(stretch, left.CurrentSamples(), right.CurrentSamples(), filterLeft,
                                   filterRight, echoMix);
  }
  while (i < frames) {
    frame(i++, left.CurrentSamples(),
          right.CurrentSamples());  // what the settled path leaves: taps one frame back
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

// With constant read positions the frames of a run depend on each other only through the
// lines, and not at all while no frame reads a sample that an earlier frame of the same run
// wrote: the frames of a run of n can be read, saturated, written and mixed four at a time
// (and filtered in between) if its taps lie at least n + 1 frames back (or at the oldest
// sample) and no position wraps inside it. Returns the frames done; it stops early only at
// taps one frame back.
template <DelayEngine::EchoFilter kFilter, bool kPan>
int32_t DelayEngine::RunSettled(const Stretch& stretch, float leftDelay, float rightDelay,
                                FilterSection& filterLeft, FilterSection& filterRight,
                                const EchoMix& echoMix) {
  constexpr FilterKind kKind =
      kFilter == EchoFilter::kHighPass ? FilterKind::kHighPass : FilterKind::kLowPass;
  FilterSection sectionL = filterLeft;
  FilterSection sectionR = filterRight;
  const int32_t length = leftLine.Length();
  int32_t done = 0;
  for (;;) {
    int32_t run = stretch.frames - done;
    const DelayLine::Tap tapL = leftLine.TapAt(leftDelay);
    const DelayLine::Tap tapR = rightLine.TapAt(rightDelay);
    for (const int32_t position :
         {leftLine.WriteIndex(), rightLine.WriteIndex(), tapL.index, tapL.next, tapR.index, tapR.next}) {
      run = std::min(run, length - position);
    }
    for (const int32_t back : {FramesBack(leftLine, tapL.index, 0), FramesBack(rightLine, tapR.index, 0)}) {
      if (back > 0) {
        run = std::min(run, back - 1);
      }
    }
    if (run <= 0) {
      break;
    }

    const RunLanes lanes = {leftLine.Data() + tapL.index,
                            leftLine.Data() + tapL.next,
                            rightLine.Data() + tapR.index,
                            rightLine.Data() + tapR.next,
                            leftLine.Data() + leftLine.WriteIndex(),
                            rightLine.Data() + rightLine.WriteIndex(),
                            stretch.inLeft + done,
                            stretch.inRight + done,
                            stretch.outLeft + done,
                            stretch.outRight + done};
    const __m128 fractionL = _mm_set1_ps(tapL.fraction);
    const __m128 fractionR = _mm_set1_ps(tapR.fraction);
    if constexpr (kFilter == EchoFilter::kNone) {
      FeedAndMix<kPan>(
          lanes, run, echoMix,
          [&](int32_t k, __m128& echoL, __m128& echoR) {
            echoL = Taps(lanes.olderL + k, lanes.newerL + k, fractionL);
            echoR = Taps(lanes.olderR + k, lanes.newerR + k, fractionR);
          },
          [&](int32_t k, float& echoL, float& echoR) {
            echoL = Tap(lanes.olderL + k, lanes.newerL + k, tapL.fraction);
            echoR = Tap(lanes.olderR + k, lanes.newerR + k, tapR.fraction);
          });
    } else {
      FeedAndMix<kPan>(
          lanes, run, echoMix,
          [&](int32_t k, __m128& echoL, __m128& echoR) {
            echoL = Taps(lanes.olderL + k, lanes.newerL + k, fractionL);
            echoR = Taps(lanes.olderR + k, lanes.newerR + k, fractionR);
            echoL = sectionL.template ProcessFour<kKind>(echoL);
            echoR = sectionR.template ProcessFour<kKind>(echoR);
          },
          [&](int32_t k, float& echoL, float& echoR) {
            echoL = sectionL.template Process<kKind>(Tap(lanes.olderL + k, lanes.newerL + k, tapL.fraction));
            echoR = sectionR.template Process<kKind>(Tap(lanes.olderR + k, lanes.newerR + k, tapR.fraction));
          });
    }
    leftLine.Advance(run);
    rightLine.Advance(run);
    done += run;
  }
  filterLeft = sectionL;
  filterRight = sectionR;
  return done;
}
