// DelayEngine against the one-frame-at-a-time engine it replaced, over seeded random host
// activity: every output sample, every line sample and the glide and filter memories must
// keep their bits.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "delay/DelayEngine.h"
#include "tests/delay/ScalarDelayEngine.h"
#include "tests/support/FloatBits.h"

namespace {

using QuorvelTest::Bits;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

// What the run covered, so that a change of the generator cannot quietly skip a case.
struct Coverage {
  int64_t calls = 0;
  int64_t framesCompared = 0;
  int64_t settledFrames = 0;  // processed with both glides settled at the start of the call
  int64_t stalledGlides = 0;  // settled short of the target
  int64_t landedGlides = 0;
  int64_t lineSamplesCompared = 0;
};

// Bit for bit, except that a NaN matches any NaN: when both operands of an addition are NaNs
// (a NaN input meeting an echo that overflowed), which one's payload and sign the result
// carries depends on the operand order the compiler picked, which C++ leaves open.
bool SameOutput(float a, float b) {
  return Bits(a) == Bits(b) || (a != a && b != b);
}

class Twins {
 public:
  Twins(uint32_t seed, Coverage& coverage) : random(seed), covered(coverage) {}

  // One random host action; returns false once the engines differ.
  bool Act() {
    const uint32_t choice = Below(100);
    if (choice < 40) {
      return Process(Block());
    }
    if (choice < 50) {
      return Settle();
    }
    if (choice < 66) {
      const float seconds = DelaySeconds();
      Below(2) == 0 ? Both([&](auto& e) { e.SetLeftDelay(seconds); })
                    : Both([&](auto& e) { e.SetRightDelay(seconds); });
      return Below(2) == 0 || Process(static_cast<int32_t>(Below(300)));  // often mid-glide right away
    }
    if (choice < 72) {
      const float rate = SampleRate();
      Both([&](auto& e) { e.SetSampleRate(rate); });
    } else if (choice < 75) {
      Both([](auto& e) { e.Clear(); });
    } else if (choice < 82) {
      const float hertz = Below(10) == 0 ? -5.0f : 20.0f + Unit() * 20000.0f;
      Both([&](auto& e) { e.SetCutoff(hertz); });
    } else {
      const bool filter = Below(3) != 0;
      const auto type = static_cast<int32_t>(Below(3));
      const bool pan = Below(2) == 0;
      const float gain = Below(8) == 0 ? 1.0f : Unit() * 1.1f;
      const float mix = Below(8) == 0 ? static_cast<float>(Below(2)) : Unit();
      Both([&](auto& e) {
        e.filterEnabled = filter;
        e.filterType = type;
        e.panEnabled = pan;
        e.feedback = gain;
        e.mix = mix;
      });
    }
    return true;
  }

  // The whole state both engines keep between calls.
  bool SameState() {
    const DelayLine* lines[2][2] = {{&fast.LeftLine(), &reference.LeftLine()},
                                    {&fast.RightLine(), &reference.RightLine()}};
    for (const auto& pair : lines) {
      EXPECT_EQ(pair[0]->Length(), pair[1]->Length());
      EXPECT_EQ(pair[0]->WriteIndex(), pair[1]->WriteIndex());
      for (int32_t i = 0; i < pair[0]->Length(); ++i) {
        if (Bits(pair[0]->SampleAt(i)) != Bits(pair[1]->SampleAt(i))) {
          ADD_FAILURE() << "line sample " << i << ": " << pair[0]->SampleAt(i)
                        << " != " << pair[1]->SampleAt(i);
          return false;
        }
      }
      covered.lineSamplesCompared += pair[0]->Length();
    }
    const DelayRamp* ramps[2][2] = {{&fast.LeftRamp(), &reference.LeftRamp()},
                                    {&fast.RightRamp(), &reference.RightRamp()}};
    for (const auto& pair : ramps) {
      EXPECT_EQ(Bits(pair[0]->State()), Bits(pair[1]->State()));
      EXPECT_EQ(Bits(pair[0]->CurrentSamples()), Bits(pair[1]->CurrentSamples()));
    }
    const FilterSection* sections[4][2] = {{&fast.LowPassLeft(), &reference.LowPassLeft()},
                                           {&fast.LowPassRight(), &reference.LowPassRight()},
                                           {&fast.HighPassLeft(), &reference.HighPassLeft()},
                                           {&fast.HighPassRight(), &reference.HighPassRight()}};
    for (const auto& pair : sections) {
      EXPECT_EQ(Bits(pair[0]->PreviousInput()), Bits(pair[1]->PreviousInput()));
      EXPECT_EQ(Bits(pair[0]->PreviousOutput()), Bits(pair[1]->PreviousOutput()));
    }
    EXPECT_EQ(Bits(fast.AntiDenormal()), Bits(reference.AntiDenormal()));
    return !::testing::Test::HasFailure();
  }

 private:
  template <class Operation>
  void Both(Operation operation) {
    operation(fast);
    operation(reference);
  }

  uint32_t Below(uint32_t n) { return static_cast<uint32_t>(random() % n); }
  float Unit() { return static_cast<float>(random() >> 8) / 16777216.0f; }

  int32_t Block() {
    switch (Below(6)) {
      case 0:
        return static_cast<int32_t>(Below(10)) - 1;  // -1 to 8
      case 1:
        return 32;
      case 2:
        return 256;
      case 3:
        return 4096;
      default:
        return static_cast<int32_t>(Below(4097));
    }
  }

  float DelaySeconds() {
    const float frame = 1.0f / fast.SampleRate();
    switch (Below(8)) {
      case 0:
        return 0.0f;
      case 1:
        return Unit() * frame;  // below one sample
      case 2:
        return static_cast<float>(1 + Below(9)) * frame;  // 1 to 9 samples, whole
      case 3:
        return (static_cast<float>(1 + Below(9)) + Unit()) * frame;  // 1 to 10, fractional
      case 4:
        return 1.0f - static_cast<float>(Below(12)) * frame * Unit();  // near the full line
      case 5:
        return Below(2) == 0 ? 1.5f : (Below(2) == 0 ? -0.2f : kNaN);  // held in range
      default:
        return Unit();
    }
  }

  float SampleRate() {
    // Low rates make short glides, which land or stall within a few thousand frames; 3 Hz
    // makes a line of three samples and no smoothing at all.
    constexpr float kRates[] = {44100.0f, 48000.0f, 96000.0f, 22050.0f, 8000.0f, 4410.0f, 1000.0f,
                                441.0f,   100.0f,   7.0f,     3.0f,     0.0f,    -1.0f,   1e6f};
    return Below(16) == 0 ? kNaN : kRates[Below(sizeof kRates / sizeof kRates[0])];
  }

  float Sample(float amplitude) {
    const uint32_t odd = Below(2000);
    if (odd < 3) {
      const float unusual[] = {kNaN, kInfinity, -kInfinity};
      return unusual[odd];
    }
    if (odd < 5) {
      return odd == 3 ? 3e38f : -3e38f;  // finite, but the line's interpolation may overflow
    }
    return amplitude * (2.0f * Unit() - 1.0f);
  }

  // Runs one block through both engines: separate buffers, in place, or crossed.
  bool Process(int32_t frames) {
    const size_t n = frames > 0 ? static_cast<size_t>(frames) : 0;
    const float amplitude = Below(6) == 0 ? 0.0f : Unit() * 2.0f;
    std::vector<float> inL(n);
    std::vector<float> inR(n);
    for (size_t i = 0; i < n; ++i) {
      inL[i] = Sample(amplitude);
      inR[i] = Sample(amplitude);
    }
    const uint32_t layout = Below(3);
    const bool settled = fast.LeftRamp().Settled() && fast.RightRamp().Settled();
    std::vector<float> out[2][2];
    for (int engine = 0; engine < 2; ++engine) {
      std::vector<float> l = inL;
      std::vector<float> r = inR;
      std::vector<float> separateL(n);
      std::vector<float> separateR(n);
      float* outL = layout == 0 ? separateL.data() : layout == 1 ? l.data() : r.data();
      float* outR = layout == 0 ? separateR.data() : layout == 1 ? r.data() : l.data();
      if (engine == 0) {
        fast.Process(l.data(), r.data(), outL, outR, frames);
      } else {
        reference.Process(l.data(), r.data(), outL, outR, frames);
      }
      out[engine][0].assign(outL, outL + n);
      out[engine][1].assign(outR, outR + n);
    }
    for (int channel = 0; channel < 2; ++channel) {
      for (size_t i = 0; i < n; ++i) {
        if (!SameOutput(out[0][channel][i], out[1][channel][i])) {
          ADD_FAILURE() << "channel " << channel << " frame " << i << " of " << n << ": "
                        << out[0][channel][i] << " != " << out[1][channel][i] << " (layout " << layout
                        << ", settled " << settled << ")";
          return false;
        }
      }
    }
    ++covered.calls;
    covered.framesCompared += static_cast<int64_t>(n);
    covered.settledFrames += settled ? static_cast<int64_t>(n) : 0;
    return true;
  }

  // Lets both glides run until they land or stall (or give up after several glide times).
  bool Settle() {
    for (int block = 0; block < 60 && !(fast.LeftRamp().Settled() && fast.RightRamp().Settled()); ++block) {
      if (!Process(4096)) {
        return false;
      }
    }
    for (const DelayRamp* ramp : {&fast.LeftRamp(), &fast.RightRamp()}) {
      if (ramp->Settled()) {
        ramp->CurrentSamples() == ramp->TargetSamples() ? ++covered.landedGlides : ++covered.stalledGlides;
      }
    }
    for (uint32_t blocks = 1 + Below(24); blocks > 0; --blocks) {
      if (!Process(Block())) {
        return false;
      }
    }
    return true;
  }

  std::mt19937 random;
  Coverage& covered;
  DelayEngine fast;
  ScalarDelayEngine reference;
};

TEST(DelayEngineEquivalence, SeededHostActivityGivesTheReferenceBits) {
  constexpr uint32_t kSeeds = 16;
  constexpr int kActionsPerSeed = 300;
  Coverage coverage;
  for (uint32_t seed = 1; seed <= kSeeds; ++seed) {
    SCOPED_TRACE(seed);
    Twins twins(seed, coverage);
    for (int action = 0; action < kActionsPerSeed; ++action) {
      SCOPED_TRACE(action);
      if (!twins.Act() || (action % 10 == 9 && !twins.SameState())) {
        return;
      }
    }
    if (!twins.SameState()) {
      return;
    }
  }
  std::printf(
      "%lld calls, %lld frames (%lld settled), %lld line samples compared; %lld glides landed, %lld "
      "stalled\n",
      static_cast<long long>(coverage.calls), static_cast<long long>(coverage.framesCompared),
      static_cast<long long>(coverage.settledFrames), static_cast<long long>(coverage.lineSamplesCompared),
      static_cast<long long>(coverage.landedGlides), static_cast<long long>(coverage.stalledGlides));
  EXPECT_GT(coverage.settledFrames, coverage.framesCompared / 20);
  EXPECT_GT(coverage.stalledGlides, 0);
  EXPECT_GT(coverage.landedGlides, 0);
}

}  // namespace
