#include <gtest/gtest.h>

#include "delay/DelayRamp.h"
#include "tests/support/FloatBits.h"

namespace {

using QuorvelTest::Bits;

struct RateCoefficients {
  float rate;
  int32_t timeConstant;
  uint32_t decayBits;
  uint32_t inputCoefficientBits;
};

// tc = trunc(f32(f32(rate * f32(2.2675737e-5)) * 10000)); decay = f32(e^f32(-1 / tc)) with a
// 50-digit exp; input coefficient = f32(1 - decay) (tests/delay/golden_values.py).
constexpr RateCoefficients kRates[] = {
    {44100.0f, 10000, 0x3F7FF972u, 0x38D1C000u},
    {48000.0f, 10884, 0x3F7FF9FBu, 0x38C0A000u},
    {88200.0f, 20000, 0x3F7FFCB9u, 0x3851C000u},
    {96000.0f, 21768, 0x3F7FFCFDu, 0x3840C000u},
};

TEST(DelayRamp, CoefficientsAreTheSameBitsOnEveryTarget) {
  for (const RateCoefficients& expected : kRates) {
    SCOPED_TRACE(expected.rate);
    DelayRamp ramp;
    ramp.SetTimeConstant(DelayRamp::TimeConstantForSampleRate(expected.rate));
    EXPECT_EQ(ramp.TimeConstant(), expected.timeConstant);
    EXPECT_EQ(Bits(ramp.Decay()), expected.decayBits);
    EXPECT_EQ(Bits(ramp.InputCoefficient()), expected.inputCoefficientBits);
  }
}

TEST(DelayRamp, TimeConstantBelowOneSampleMeansNoSmoothing) {
  DelayRamp ramp;
  ramp.SetTimeConstant(DelayRamp::TimeConstantForSampleRate(4.0f));  // trunc(0.907) = 0
  EXPECT_EQ(ramp.TimeConstant(), 0);
  ramp.Retarget(3.0f);
  ramp.Step();
  EXPECT_EQ(ramp.CurrentSamples(), 3.0f);
}

TEST(DelayRamp, SmallTargetIsCrossedAndThenHeldExactly) {
  DelayRamp ramp;
  ramp.SetTimeConstant(10000);
  ramp.Retarget(1.0f);
  EXPECT_EQ(ramp.Direction(), DelayRamp::kRising);
  EXPECT_EQ(ramp.AimSamples(), 1.001f);
  int frames = 0;
  while (ramp.CurrentSamples() != 1.0f && frames < 200000) {
    ramp.Step();
    ++frames;
  }
  // Glide from 0 toward 1.001 with the 44100 Hz coefficients reaches 1.0 at frame 67526
  // (tests/delay/golden_values.py).
  EXPECT_EQ(frames, 67526);
  const float state = ramp.State();
  for (int i = 0; i < 1000; ++i) {
    ramp.Step();
  }
  EXPECT_EQ(ramp.CurrentSamples(), 1.0f);
  EXPECT_EQ(ramp.State(), state);
}

TEST(DelayRamp, RetargetingToTheCurrentDelayDoesNotMove) {
  DelayRamp ramp;
  ramp.SetTimeConstant(10000);
  ramp.Retarget(0.0f);
  EXPECT_EQ(ramp.Direction(), DelayRamp::kFalling);
  EXPECT_EQ(ramp.AimSamples(), -0.001f);
  ramp.Step();
  EXPECT_EQ(ramp.State(), 0.0f);
  EXPECT_EQ(ramp.CurrentSamples(), 0.0f);
}

TEST(DelayRamp, SettlesWhenAStepRepeatsTheStateOrTheTargetIsReached) {
  DelayRamp ramp;
  ramp.SetTimeConstant(10000);
  ramp.Retarget(22050.0f);
  int steps = 0;
  while (!ramp.Settled() && steps < 200000) {
    ramp.Step();
    ++steps;
  }
  // The rise from 0 stops changing at 22037.359375 (see DelayGlideTest): step 76047 is the
  // first to return the state it started from.
  EXPECT_EQ(steps, 76047);
  EXPECT_EQ(ramp.CurrentSamples(), 22037.359375f);
  ramp.SetTimeConstant(10000);  // new coefficients could move it again
  EXPECT_FALSE(ramp.Settled());
  ramp.Step();
  EXPECT_TRUE(ramp.Settled());
  ramp.Retarget(11025.0f);
  EXPECT_FALSE(ramp.Settled());
  ramp.Retarget(ramp.CurrentSamples());  // on target: settled without a step
  EXPECT_TRUE(ramp.Settled());
}

// Four frames at once are the four single steps, bit for bit, through a rise that stalls
// short of its target and a fall that lands on it (where the four go one by one).
TEST(DelayRamp, FourStepsAtOnceAreFourSingleSteps) {
  DelayRamp single;
  DelayRamp four;
  single.SetTimeConstant(10000);
  four.SetTimeConstant(10000);
  int refusals = 0;
  for (const float target : {22050.0f, 1.0f}) {
    single.Retarget(target);
    four.Retarget(target);
    for (int group = 0; group < 100000 && !(single.Settled() && four.Settled()); ++group) {
      float positions[4];
      if (!four.StepFour(positions)) {
        ++refusals;
        for (float& position : positions) {
          four.Step();
          position = four.CurrentSamples();
        }
      }
      for (const float position : positions) {
        single.Step();
        ASSERT_EQ(Bits(position), Bits(single.CurrentSamples())) << target << " group " << group;
      }
      ASSERT_EQ(Bits(four.State()), Bits(single.State()));
      ASSERT_EQ(four.Settled(), single.Settled());
    }
    EXPECT_TRUE(four.Settled());
  }
  EXPECT_EQ(four.CurrentSamples(), 1.0f);
  EXPECT_EQ(refusals, 1);  // the rise stalls; the fall lands once
}

}  // namespace
