#include "delay/DelayEngine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "tests/support/FloatBits.h"

namespace {

using QuorvelTest::Bits;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

struct Stereo {
  explicit Stereo(size_t frames) : inL(frames, 0.0f), inR(frames, 0.0f), outL(frames), outR(frames) {}
  std::vector<float> inL, inR, outL, outR;
};

// Feeds the whole signal through in blocks, as a host would.
void ProcessAll(DelayEngine& engine, Stereo& s, int32_t block = 512) {
  const auto frames = static_cast<int32_t>(s.inL.size());
  for (int32_t at = 0; at < frames; at += block) {
    const int32_t n = std::min(block, frames - at);
    engine.Process(s.inL.data() + at, s.inR.data() + at, s.outL.data() + at, s.outR.data() + at, n);
  }
}

// Deterministic noise in [-amplitude, amplitude], never exactly zero.
void FillNoise(std::vector<float>& samples, float amplitude, uint32_t seed) {
  for (float& sample : samples) {
    seed = seed * 1664525u + 1013904223u;
    sample = amplitude * (static_cast<float>(seed >> 8) / 8388608.0f - 1.0f);
    if (sample == 0.0f) {
      sample = amplitude * 0.5f;
    }
  }
}

// An engine whose delays sit on 0 seconds (a full line, 44100 frames) without gliding:
// the glide starts at 0, so retargeting to 0 leaves it there.
void UseFullLineDelays(DelayEngine& engine, float feedback, bool pan) {
  engine.SetLeftDelay(0.0f);
  engine.SetRightDelay(0.0f);
  engine.feedback = feedback;
  engine.panEnabled = pan;
  engine.mix = 1.0f;
}

bool IsSilent(float sample) { return std::fabs(sample) < 1e-20f; }  // the denormal guard only

TEST(DelayEngine, StartsAt44100HzWithAOneSecondLine) {
  DelayEngine engine;
  EXPECT_EQ(engine.SampleRate(), 44100.0f);
  EXPECT_EQ(engine.LeftLine().Length(), 44100);
  EXPECT_EQ(engine.RightLine().Length(), 44100);
  EXPECT_EQ(engine.LeftRamp().TargetSamples(), 22050.0f);
  EXPECT_EQ(engine.RightRamp().TargetSamples(), 11025.0f);
  EXPECT_EQ(engine.LeftRamp().CurrentSamples(), 0.0f);
  EXPECT_EQ(engine.LeftRamp().TimeConstant(), 10000);
  EXPECT_EQ(engine.LowPassLeft().Cutoff(), 11025.0f);
  EXPECT_EQ(engine.HighPassRight().SampleRate(), 44100.0f);
  EXPECT_EQ(engine.AntiDenormal(), 1e-25f);
}

TEST(DelayEngine, ZeroSecondDelayPlaysAFullLineLate) {
  DelayEngine engine;
  UseFullLineDelays(engine, 0.0f, false);
  Stereo s(44101 + 1000);
  s.inL[0] = 1.0f;
  s.inR[0] = 0.5f;
  ProcessAll(engine, s);
  for (size_t i = 0; i < s.outL.size(); ++i) {
    if (i == 44100) {
      EXPECT_EQ(s.outL[i], 1.0f);
      EXPECT_EQ(s.outR[i], 0.5f);
    } else {
      ASSERT_TRUE(IsSilent(s.outL[i]) && IsSilent(s.outR[i])) << i;
    }
  }
}

TEST(DelayEngine, PanFeedsEachLineFromTheOtherEchoWithoutCrossingTheOutputs) {
  for (bool pan : {false, true}) {
    SCOPED_TRACE(pan);
    DelayEngine engine;
    UseFullLineDelays(engine, 1.0f, pan);  // 0.5 is below the saturator's knee: fed back unchanged
    Stereo s(3 * 44100 + 10);
    s.inL[0] = 0.5f;
    ProcessAll(engine, s);
    // Echoes a line apart; with pan the second one comes back through the right line and
    // the third through the left one again.
    const std::vector<float>& second = pan ? s.outR : s.outL;
    const std::vector<float>& quiet = pan ? s.outL : s.outR;
    EXPECT_EQ(s.outL[44100], 0.5f);
    EXPECT_TRUE(IsSilent(s.outR[44100]));
    EXPECT_EQ(second[88200], 0.5f);
    EXPECT_TRUE(IsSilent(quiet[88200]));
    EXPECT_EQ(s.outL[132300], 0.5f);
    EXPECT_TRUE(IsSilent(s.outR[132300]));
  }
  // Without feedback a left sound is heard once, on the left only, pan or not.
  DelayEngine engine;
  UseFullLineDelays(engine, 0.0f, true);
  Stereo s(2 * 44100 + 10);
  s.inL[0] = 0.5f;
  ProcessAll(engine, s);
  for (size_t i = 0; i < s.outR.size(); ++i) {
    ASSERT_TRUE(IsSilent(s.outR[i])) << i;
    ASSERT_TRUE(i == 44100 || IsSilent(s.outL[i])) << i;
  }
}

TEST(DelayEngine, FilteredVariantsRunTheirOwnSections) {
  for (int32_t type : {0, 1}) {
    SCOPED_TRACE(type);
    DelayEngine engine;
    UseFullLineDelays(engine, 0.0f, false);
    engine.SetCutoff(1000.0f);
    engine.filterEnabled = true;
    engine.filterType = type;
    const FilterSection idle = type == 0 ? engine.HighPassLeft() : engine.LowPassLeft();
    Stereo s(44100 + 4);
    s.inL[0] = 1.0f;
    ProcessAll(engine, s);
    // The echo is the impulse response of the section designed for 1000 Hz at 44100 Hz
    // (FilterSectionTest, golden_values.py); the other kind's memories are untouched.
    const std::vector<uint32_t> expected = type == 0 ? std::vector<uint32_t>{0x3D8868A0u, 0x3DFEA56Bu, 0x3DDCB96Eu}
                                                     : std::vector<uint32_t>{0x3F6EF2ECu, 0xBDFEA568u, 0xBDDCB96Cu};
    EXPECT_EQ((std::vector<uint32_t>{Bits(s.outL[44100]), Bits(s.outL[44101]), Bits(s.outL[44102])}), expected);
    const FilterSection& after = type == 0 ? engine.HighPassLeft() : engine.LowPassLeft();
    EXPECT_EQ(Bits(after.PreviousInput()), Bits(idle.PreviousInput()));
    EXPECT_EQ(Bits(after.PreviousOutput()), Bits(idle.PreviousOutput()));
  }
}

TEST(DelayEngine, PlainVariantLeavesTheFilterMemoriesAlone) {
  DelayEngine engine;
  engine.filterEnabled = true;
  Stereo s(2000);
  FillNoise(s.inL, 0.5f, 1);
  FillNoise(s.inR, 0.5f, 2);
  ProcessAll(engine, s);
  const float memory = engine.LowPassLeft().PreviousOutput();
  engine.filterEnabled = false;
  ProcessAll(engine, s);
  EXPECT_EQ(Bits(engine.LowPassLeft().PreviousOutput()), Bits(memory));
}

TEST(DelayEngine, MixZeroIsTheInputBitForBitAndMixOneTheEchoesOnly) {
  for (int variant = 0; variant < 3; ++variant) {
    SCOPED_TRACE(variant);
    DelayEngine engine;
    engine.feedback = 0.9f;
    engine.filterEnabled = variant > 0;
    engine.filterType = variant - 1;
    engine.mix = 0.0f;
    Stereo s(50000);
    FillNoise(s.inL, 1.0f, 3);
    FillNoise(s.inR, 1.0f, 4);
    ProcessAll(engine, s);
    EXPECT_EQ(s.outL, s.inL);
    EXPECT_EQ(s.outR, s.inR);
  }
  DelayEngine engine;
  UseFullLineDelays(engine, 0.0f, false);
  Stereo s(1000);
  FillNoise(s.inL, 1.0f, 5);
  ProcessAll(engine, s);
  for (float sample : s.outL) {
    ASSERT_TRUE(IsSilent(sample));  // nothing has come back yet
  }
}

TEST(DelayEngine, FullFeedbackWithLoudInputStaysBounded) {
  for (int variant = 0; variant < 3; ++variant) {
    for (bool pan : {false, true}) {
      SCOPED_TRACE(variant * 2 + (pan ? 1 : 0));
      DelayEngine engine;
      engine.SetLeftDelay(0.01f);
      engine.SetRightDelay(0.013f);
      engine.feedback = 1.0f;
      engine.panEnabled = pan;
      engine.filterEnabled = variant > 0;
      engine.filterType = variant - 1;
      engine.SetCutoff(3000.0f);
      engine.mix = 1.0f;
      Stereo s(5 * 44100);
      FillNoise(s.inL, 10.0f, 6);
      FillNoise(s.inR, 10.0f, 7);
      ProcessAll(engine, s);
      // Every line sample is input (at most 10) plus a saturated echo (at most 1), so the
      // plain echoes stay within 11; a filter's gain may add to that, but nothing grows.
      float firstSecond = 0.0f;
      float lastSecond = 0.0f;
      for (size_t i = 0; i < s.outL.size(); ++i) {
        ASSERT_TRUE(std::isfinite(s.outL[i]) && std::isfinite(s.outR[i])) << i;
        const float peak = std::fmax(std::fabs(s.outL[i]), std::fabs(s.outR[i]));
        if (i < 44100) {
          firstSecond = std::fmax(firstSecond, peak);
        } else if (i >= 4 * 44100) {
          lastSecond = std::fmax(lastSecond, peak);
        }
      }
      if (variant == 0) {
        EXPECT_LE(lastSecond, 11.0f);
      }
      EXPECT_LE(lastSecond, 2.0f * firstSecond);
    }
  }
}

TEST(DelayEngine, ANonFiniteInputSampleIsNeverStored) {
  for (int variant = 0; variant < 3; ++variant) {
    SCOPED_TRACE(variant);
    DelayEngine engine;
    engine.SetLeftDelay(0.01f);
    engine.SetRightDelay(0.02f);
    engine.feedback = 0.5f;
    engine.filterEnabled = variant > 0;
    engine.filterType = variant - 1;
    Stereo s(3 * 44100);
    FillNoise(s.inL, 0.5f, 20);
    FillNoise(s.inR, 0.5f, 21);
    s.inL[1000] = kNaN;
    s.inR[1000] = kInfinity;
    s.inL[2000] = -kInfinity;
    ProcessAll(engine, s);
    // Heard in its own frame's dry half only; every echo and every later frame is finite.
    for (size_t i = 0; i < s.outL.size(); ++i) {
      if (i != 1000 && i != 2000) {
        ASSERT_TRUE(std::isfinite(s.outL[i]) && std::isfinite(s.outR[i])) << i;
      }
    }
  }
}

TEST(DelayEngine, InPlaceProcessingEqualsSeparateArrays) {
  for (int variant = 0; variant < 6; ++variant) {
    SCOPED_TRACE(variant);
    DelayEngine separate;
    DelayEngine inPlace;
    for (DelayEngine* engine : {&separate, &inPlace}) {
      engine->feedback = 0.8f;
      engine->panEnabled = variant % 2 != 0;
      engine->filterEnabled = variant >= 2;
      engine->filterType = variant >= 4 ? 1 : 0;
      engine->SetLeftDelay(0.003f);
      engine->SetRightDelay(0.007f);
    }
    Stereo s(30000);
    FillNoise(s.inL, 1.0f, 8);
    FillNoise(s.inR, 1.0f, 9);
    std::vector<float> left = s.inL;
    std::vector<float> right = s.inR;
    ProcessAll(separate, s, 300);
    for (size_t at = 0; at < left.size(); at += 300) {
      inPlace.Process(left.data() + at, right.data() + at, left.data() + at, right.data() + at, 300);
    }
    EXPECT_EQ(left, s.outL);
    EXPECT_EQ(right, s.outR);
  }
}

TEST(DelayEngine, NewSampleRateSilencesTheLinesAndGlidesToTheNewCounts) {
  DelayEngine engine;
  Stereo s(20000);
  FillNoise(s.inL, 1.0f, 10);
  ProcessAll(engine, s);
  const float current = engine.LeftRamp().CurrentSamples();
  engine.SetSampleRate(48000.0f);
  EXPECT_EQ(engine.LeftLine().Length(), 48000);
  for (int32_t i = 0; i < 48000; ++i) {
    ASSERT_EQ(engine.LeftLine().SampleAt(i), 0.0f);
    ASSERT_EQ(engine.RightLine().SampleAt(i), 0.0f);
  }
  EXPECT_EQ(engine.LeftRamp().CurrentSamples(), current);
  EXPECT_EQ(engine.LeftRamp().TargetSamples(), 24000.0f);  // 0.5 s
  EXPECT_EQ(engine.RightRamp().TargetSamples(), 12000.0f);
  EXPECT_EQ(engine.LeftRamp().TimeConstant(), 10884);
  EXPECT_EQ(engine.HighPassLeft().SampleRate(), 48000.0f);
}

TEST(DelayEngine, ShorterLineAfterARateChangeIsNeverOverrun) {
  DelayEngine engine;
  engine.SetSampleRate(96000.0f);
  engine.SetLeftDelay(1.0f);
  engine.SetRightDelay(1.0f);
  engine.feedback = 0.5f;
  Stereo loud(240000);  // leaves the write position at 48000 and the glide near 96000
  FillNoise(loud.inL, 1.0f, 11);
  FillNoise(loud.inR, 1.0f, 12);
  ProcessAll(engine, loud, 4096);
  ASSERT_GT(engine.LeftRamp().CurrentSamples(), 90000.0f);

  engine.SetSampleRate(44100.0f);
  EXPECT_EQ(engine.LeftLine().WriteIndex(), 0);
  engine.feedback = 0.0f;
  engine.mix = 1.0f;
  Stereo s(44100 + 10);
  s.inL[0] = 1.0f;
  ProcessAll(engine, s, 4096);
  // The glide is still far beyond the new line, so the read stops at its far end: the
  // impulse returns exactly one line later.
  EXPECT_EQ(s.outL[44100], 1.0f);
  for (size_t i = 0; i < s.outL.size(); ++i) {
    ASSERT_TRUE(i == 44100 || IsSilent(s.outL[i])) << i;
  }
}

TEST(DelayEngine, UnusableSampleRatesPassTheInputThrough) {
  for (float rate : {0.0f, 0.5f, -44100.0f, kNaN, kInfinity, 1e9f}) {
    SCOPED_TRACE(rate);
    DelayEngine engine;
    engine.SetSampleRate(rate);
    EXPECT_FALSE(engine.HasLines());
    engine.SetLeftDelay(0.3f);
    engine.SetCutoff(500.0f);
    Stereo s(5000);
    FillNoise(s.inL, 1.0f, 13);
    FillNoise(s.inR, 1.0f, 14);
    ProcessAll(engine, s);
    EXPECT_EQ(s.outL, s.inL);
    EXPECT_EQ(s.outR, s.inR);

    // A usable rate brings the lines back.
    engine.SetSampleRate(22050.0f);
    EXPECT_EQ(engine.LeftLine().Length(), 22050);
    EXPECT_EQ(engine.LeftRamp().TargetSamples(), 0.3f * 22050.0f);
  }
}

TEST(DelayEngine, OneSampleLineStillWorks) {
  DelayEngine engine;
  engine.SetSampleRate(1.0f);
  ASSERT_EQ(engine.LeftLine().Length(), 1);
  engine.SetLeftDelay(0.7f);
  engine.feedback = 1.0f;
  engine.mix = 1.0f;
  Stereo s(100);
  FillNoise(s.inL, 1.0f, 15);
  ProcessAll(engine, s, 7);
  // One frame late: every frame hears the previous input plus its saturated echo.
  for (float sample : s.outL) {
    ASSERT_TRUE(std::isfinite(sample));
    ASSERT_LE(std::fabs(sample), 2.0f);
  }
}

TEST(DelayEngine, DelayTimesAreHeldWithinTheLine) {
  DelayEngine engine;
  const struct {
    float given;
    float held;
  } kCases[] = {{kNaN, 0.0f}, {-0.5f, 0.0f}, {-kInfinity, 0.0f}, {2.0f, 1.0f}, {kInfinity, 1.0f}, {0.75f, 0.75f}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.given);
    engine.SetLeftDelay(c.given);
    engine.SetRightDelay(c.given);
    EXPECT_EQ(engine.LeftDelaySeconds(), c.held);
    EXPECT_EQ(engine.RightDelaySamples(), c.held * 44100.0f);
    Stereo s(3000);
    FillNoise(s.inL, 1.0f, 16);
    ProcessAll(engine, s);
    EXPECT_TRUE(std::isfinite(s.outL.back()));
  }
}

TEST(DelayEngine, EveryCallFlipsTheDenormalGuardEvenWithoutFrames) {
  DelayEngine engine;
  float in = 0.25f;
  float out = -1.0f;
  engine.Process(&in, &in, &out, &out, 0);
  EXPECT_EQ(engine.AntiDenormal(), -1e-25f);
  engine.Process(&in, &in, &out, &out, -8);
  EXPECT_EQ(engine.AntiDenormal(), 1e-25f);
  EXPECT_EQ(out, -1.0f);  // nothing written
  EXPECT_EQ(engine.LeftLine().WriteIndex(), 0);
}

TEST(DelayEngine, ClearSilencesTheLinesOnly) {
  DelayEngine engine;
  Stereo s(3000);
  FillNoise(s.inL, 1.0f, 17);
  ProcessAll(engine, s);
  const float current = engine.LeftRamp().CurrentSamples();
  engine.Clear();
  EXPECT_EQ(engine.LeftLine().WriteIndex(), 3000);
  EXPECT_EQ(engine.LeftRamp().CurrentSamples(), current);
  for (int32_t i = 0; i < engine.LeftLine().Length(); ++i) {
    ASSERT_EQ(engine.LeftLine().SampleAt(i), 0.0f);
  }
}

}  // namespace
