#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <limits>

#include "delay/FilterSection.h"
#include "tests/support/FloatBits.h"

namespace {

using QuorvelTest::Bits;

template <FilterKind kKind>
std::vector<uint32_t> ImpulseBits(FilterSection& section, int count) {
  std::vector<uint32_t> response;
  for (int i = 0; i < count; ++i) {
    response.push_back(Bits(section.Process<kKind>(i == 0 ? 1.0f : 0.0f)));
  }
  return response;
}

// golden_values.py: w = f32(f32(1000 * 6.283186) / 44100) = 0.142475873; sin and cos to
// 50 digits, rounded; pole = f32(cos / f32(sin + 1)); gains (1 - pole) / 2 and (pole + 1) / 2;
// the impulse response runs the recursion with every step rounded to float.
TEST(FilterSection, LowPassAt1000HzMatchesTheBilinearDesign) {
  FilterSection section(FilterKind::kLowPass, 44100.0f, 1000.0f);
  EXPECT_EQ(Bits(section.Pole()), 0x3F5DE5D8u);  // 0.866788387
  EXPECT_EQ(Bits(section.Gain()), 0x3D8868A0u);  // 0.066605806
  EXPECT_EQ(ImpulseBits<FilterKind::kLowPass>(section, 4),
            (std::vector<uint32_t>{0x3D8868A0u, 0x3DFEA56Bu, 0x3DDCB96Eu, 0x3DBF5240u}));
}

TEST(FilterSection, HighPassAt1000HzMatchesTheBilinearDesign) {
  FilterSection section(FilterKind::kHighPass, 44100.0f, 1000.0f);
  EXPECT_EQ(Bits(section.Pole()), 0x3F5DE5D8u);
  EXPECT_EQ(Bits(section.Gain()), 0x3F6EF2ECu);  // 0.933394194
  EXPECT_EQ(ImpulseBits<FilterKind::kHighPass>(section, 4),
            (std::vector<uint32_t>{0x3F6EF2ECu, 0xBDFEA568u, 0xBDDCB96Cu, 0xBDBF523Eu}));
}

TEST(FilterSection, NewRateOrCutoffRedesigns) {
  FilterSection section(FilterKind::kLowPass, 44100.0f, 1000.0f);
  section.SetSampleRate(48000.0f);
  section.SetCutoff(2515.0f);
  // golden_values.py: w = f32(f32(2515 * 6.283186) / 48000) = 0.329212755.
  EXPECT_EQ(Bits(section.Pole()), 0x3F37111Fu);
  EXPECT_EQ(Bits(section.Gain()), 0x3E11DDC2u);
}

TEST(FilterSection, NewRateLimitsTheCutoffToHalfOfItAndStaysStable) {
  FilterSection section(FilterKind::kLowPass, 44100.0f, 10000.0f);
  section.SetSampleRate(8000.0f);
  EXPECT_EQ(section.Cutoff(), 4000.0f);
  // f32(f32(4000 * 6.283186) / 8000) = 3.14159298 lies above pi, where the design gives a
  // pole of -1.0000004; the angle is held at 3.1415925 (the float below pi): pole
  // f32(-1 / f32(1 + 1.51e-7)) = -0.99999988 (golden_values.py).
  EXPECT_EQ(Bits(section.Pole()), 0xBF7FFFFEu);
  EXPECT_EQ(Bits(section.Gain()), 0x3F7FFFFFu);
}

TEST(FilterSection, NoCutoffMakesEitherKindUnstable) {
  const float kCutoffs[] = {20.0f,
                            22049.0f,
                            22050.0f,
                            30000.0f,
                            1e9f,
                            std::numeric_limits<float>::infinity(),
                            -1000.0f,
                            -std::numeric_limits<float>::infinity(),
                            std::numeric_limits<float>::quiet_NaN()};
  for (float cutoff : kCutoffs) {
    SCOPED_TRACE(cutoff);
    FilterSection low(FilterKind::kLowPass, 44100.0f, cutoff);
    FilterSection high(FilterKind::kHighPass, 44100.0f, cutoff);
    EXPECT_LE(std::fabs(low.Pole()), 1.0f);
    EXPECT_LE(std::fabs(high.Pole()), 1.0f);
    // A full-scale square wave at the Nyquist frequency for ten seconds: the worst case
    // for a pole near -1. The outputs stay finite and within a small multiple of the input.
    float peak = 0.0f;
    for (int i = 0; i < 441000; ++i) {
      const float x = (i & 1) != 0 ? -1.0f : 1.0f;
      peak = std::fmax(peak, std::fabs(low.Process<FilterKind::kLowPass>(x)));
      peak = std::fmax(peak, std::fabs(high.Process<FilterKind::kHighPass>(x)));
    }
    EXPECT_TRUE(std::isfinite(peak));
    EXPECT_LE(peak, 2.0f);
  }
}

// Two samples near the float limit overflow the filter's sum: that result is
// dropped, and the memories hold nothing of it, so ordinary samples filter as before.
TEST(FilterSection, SamplesNearTheFloatLimitLeaveNoInfinityBehind) {
  for (FilterKind kind : {FilterKind::kLowPass, FilterKind::kHighPass}) {
    FilterSection filter(kind, 1000.0f, 400.0f);
    FilterSection reference(kind, 1000.0f, 400.0f);
    const float limit =
        kind == FilterKind::kLowPass ? -std::numeric_limits<float>::max() : std::numeric_limits<float>::max();
    float y = 0.0f;
    for (float x : {limit, limit, -limit}) {
      y = kind == FilterKind::kLowPass ? filter.Process<FilterKind::kLowPass>(x)
                                       : filter.Process<FilterKind::kHighPass>(x);
      EXPECT_TRUE(std::isfinite(y));
    }
    EXPECT_TRUE(std::isfinite(filter.PreviousOutput()));
    for (int i = 0; i < 2000; ++i) {
      const float x = i % 2 == 0 ? 0.5f : -0.25f;
      y = kind == FilterKind::kLowPass ? filter.Process<FilterKind::kLowPass>(x)
                                       : filter.Process<FilterKind::kHighPass>(x);
      const float expected = kind == FilterKind::kLowPass ? reference.Process<FilterKind::kLowPass>(x)
                                                          : reference.Process<FilterKind::kHighPass>(x);
      if (i > 1000) {
        ASSERT_NEAR(y, expected, 1e-6f) << i;
      }
    }
  }
}

// Four samples at once filter as four single ones, bit for bit, loud ones near the float
// limit among them, for both kinds.
TEST(FilterSection, FourSamplesAtOnceAreFourSingleOnes) {
  const float loud = std::numeric_limits<float>::max();
  const float samples[] = {0.5f, -0.25f, 0.75f, 1e-30f, loud, loud, -loud, 0.125f, -0.5f, 0.0f, 0.3f, -0.7f};
  for (FilterKind kind : {FilterKind::kLowPass, FilterKind::kHighPass}) {
    FilterSection single(kind, 44100.0f, 2500.0f);
    FilterSection four(kind, 44100.0f, 2500.0f);
    for (int round = 0; round < 50; ++round) {
      for (size_t start = 0; start < std::size(samples); start += 4) {
        const __m128 x = _mm_loadu_ps(samples + start);
        alignas(16) float y[4];
        _mm_store_ps(y, kind == FilterKind::kLowPass ? four.ProcessFour<FilterKind::kLowPass>(x)
                                                     : four.ProcessFour<FilterKind::kHighPass>(x));
        for (size_t k = 0; k < 4; ++k) {
          const float expected = kind == FilterKind::kLowPass
                                     ? single.Process<FilterKind::kLowPass>(samples[start + k])
                                     : single.Process<FilterKind::kHighPass>(samples[start + k]);
          ASSERT_EQ(Bits(y[k]), Bits(expected)) << round << " " << start + k;
        }
        ASSERT_EQ(Bits(four.PreviousInput()), Bits(single.PreviousInput()));
        ASSERT_EQ(Bits(four.PreviousOutput()), Bits(single.PreviousOutput()));
      }
    }
  }
}

}  // namespace
