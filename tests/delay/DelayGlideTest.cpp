#include <gtest/gtest.h>

#include <vector>

#include "delay/DelayEngine.h"
#include "tests/support/FloatBits.h"

namespace {

using QuorvelTest::Bits;
using QuorvelTest::FromBits;

// The one-pole glide restated from its definition, with the 44100 Hz coefficients of
// golden_values.py (decay 0x3F7FF972, input coefficient 0x38D1C000).
struct ReferenceGlide {
  float state;
  float aim;
  float Step() {
    state = (aim * FromBits(0x38D1C000u) + FromBits(0x3F7FF972u) * state) + 1e-25f;
    return state;
  }
};

// Runs the engine one frame at a time until the left glide stops changing, checking every
// frame against the reference. Returns the number of frames it kept moving.
int FollowLeftGlide(DelayEngine& engine, ReferenceGlide& reference) {
  float in = 0.0f;
  float out = 0.0f;
  float inRight = 0.0f;
  float outRight = 0.0f;
  for (int frame = 0; frame < 200000; ++frame) {
    const float before = engine.LeftRamp().State();
    engine.Process(&in, &inRight, &out, &outRight, 1);
    const float expected = reference.Step();
    if (Bits(engine.LeftRamp().State()) != Bits(expected)) {
      ADD_FAILURE() << "frame " << frame << ": " << engine.LeftRamp().State() << " != " << expected;
      return frame;
    }
    if (engine.LeftRamp().State() == before) {
      return frame;
    }
  }
  return -1;
}

TEST(DelayGlide, FollowsTheOnePoleFrameByFrameAndStopsWhereSinglePrecisionStops) {
  DelayEngine engine;  // 44100 Hz; the left glide starts at 0 heading for 0.5 s = 22050
  ReferenceGlide rising{0.0f, 22050.0f + 0.001f};
  // golden_values.py: the rise stops changing after 76046 frames at 22037.359375, short of
  // 22050 and so never landing on it.
  EXPECT_EQ(FollowLeftGlide(engine, rising), 76046);
  EXPECT_EQ(Bits(engine.LeftRamp().State()), 0x46AC2AB8u);
  EXPECT_EQ(engine.LeftRamp().CurrentSamples(), engine.LeftRamp().State());

  engine.SetLeftDelay(0.25f);
  EXPECT_EQ(engine.LeftRamp().TargetSamples(), 11025.0f);
  EXPECT_EQ(engine.LeftRamp().Direction(), DelayRamp::kFalling);
  ReferenceGlide falling{engine.LeftRamp().State(), 11025.0f - 0.001f};
  // golden_values.py: the fall starts at 22036.2578125 and stops after 76048 frames at
  // 11028.443359375, where aim * (1 - decay) no longer moves the rounded state.
  EXPECT_EQ(FollowLeftGlide(engine, falling), 76048);
  EXPECT_EQ(Bits(engine.LeftRamp().State()), 0x462C51C6u);
  EXPECT_EQ(engine.LeftRamp().CurrentSamples(), 11028.443359375f);
  EXPECT_EQ(engine.LeftRamp().TargetSamples(), 11025.0f);
}

TEST(DelayGlide, EachChannelGlidesOnItsOwn) {
  DelayEngine engine;
  std::vector<float> silence(4096, 0.0f);
  std::vector<float> left(4096);
  std::vector<float> right(4096);
  engine.Process(silence.data(), silence.data(), left.data(), right.data(), 4096);
  const float leftAfter = engine.LeftRamp().CurrentSamples();
  const float rightAfter = engine.RightRamp().CurrentSamples();
  engine.SetLeftDelay(0.0f);
  engine.Process(silence.data(), silence.data(), left.data(), right.data(), 4096);
  EXPECT_EQ(engine.LeftRamp().TargetSamples(), 0.0f);
  EXPECT_LT(engine.LeftRamp().CurrentSamples(), leftAfter);  // turned round, gliding down
  EXPECT_GT(engine.RightRamp().CurrentSamples(), rightAfter);  // still rising toward 11025
  EXPECT_EQ(engine.RightRamp().TargetSamples(), 11025.0f);
}

}  // namespace
