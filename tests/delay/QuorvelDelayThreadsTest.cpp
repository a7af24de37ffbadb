#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

#include "delay/DelayParameterTable.h"
#include "delay/FilterSection.h"
#include "delay/QuorvelDelayModel.h"

namespace {

namespace P = DelayParameter;

// Checkpoints between the test's thread (the host's parameter thread) and an audio thread
// that processes block after block: asked for one, the audio thread processes one more whole
// block, so that every change made before the request has had a block to arrive, and waits.
struct Checkpoints {
  std::atomic<int32_t> asked{0};
  std::atomic<int32_t> reached{0};
  std::atomic<int32_t> released{0};
  std::atomic<bool> stop{false};
  std::atomic<int32_t> blocks{0};
};

// The audio thread's loop. The tempo moves on every block, as a host's tempo ramp would
// make it, and is back at 120 bpm for the checkpoint's block.
void ProcessUntilStopped(QuorvelDelayModel& model, Checkpoints& points) {
  constexpr int32_t kFrames = 64;
  std::vector<float> left(kFrames, 0.25f);
  std::vector<float> right(kFrames, -0.5f);
  float* channels[2] = {left.data(), right.data()};
  int32_t block = 0;
  while (!points.stop.load(std::memory_order_acquire)) {
    model.SetTempo((++block & 1) != 0 ? 150.0 : 120.0);
    model.ProcessBlock(channels, channels, kFrames);
    points.blocks.fetch_add(1, std::memory_order_relaxed);
    const int32_t asked = points.asked.load(std::memory_order_acquire);
    if (asked != points.reached.load(std::memory_order_relaxed)) {
      model.SetTempo(120.0);
      model.ProcessBlock(channels, channels, kFrames);
      points.reached.store(asked, std::memory_order_release);
      while (points.released.load(std::memory_order_acquire) != asked) {
        std::this_thread::yield();
      }
    }
  }
}

TEST(QuorvelDelayThreads, ChangesFromAnotherThreadDuringProcessingAreNeverLost) {
  QuorvelDelayModel model;
  model.SetParameterValue(P::kFilter, 1.0f);  // low-pass, so the blocks run the filter sections
  model.SetParameterValue(P::kLeftSync, 0.0f);   // 1/32: 60 / 120 / 8 = 0.0625 s
  model.SetParameterValue(P::kRightSync, 1.0f);  // 1/2: 60 / 120 / 0.5 = 1 s, the longest delay
  Checkpoints points;
  std::thread audio([&] { ProcessUntilStopped(model, points); });

  float left = 1.0f;
  float right = 0.5f;
  float cutoff = 0.5f;
  bool sync = false;
  uint32_t random = 12345u;
  // Each round's changes go on while the audio thread processes a few blocks.
  constexpr int32_t kRounds = 50;
  constexpr int32_t kChangesPerRound = 60;
  for (int32_t round = 1; round <= kRounds; ++round) {
    const int32_t firstBlock = points.blocks.load(std::memory_order_relaxed);
    for (int32_t change = 0;
         change < kChangesPerRound || points.blocks.load(std::memory_order_relaxed) - firstBlock < 4; ++change) {
      random = random * 1664525u + 1013904223u;
      const float value = static_cast<float>(random >> 9) / 8388608.0f;
      switch ((random >> 4) % 7) {
        case 0:
        case 1:
          model.SetParameterValue(P::kLeftDelay, left = value);
          break;
        case 2:
        case 3:
          model.SetParameterValue(P::kRightDelay, right = value);
          break;
        case 4:
        case 5:
          model.SetParameterValue(P::kCutoff, cutoff = value);
          break;
        default:
          sync = !sync;
          model.SetParameterValue(P::kSync, sync ? 1.0f : 0.0f);
          break;
      }
    }
    points.asked.store(round, std::memory_order_release);
    while (points.reached.load(std::memory_order_acquire) != round) {
      std::this_thread::yield();
    }

    const DelayEngine& engine = model.Engine();
    const float leftSeconds = sync ? 0.0625f : left * left;
    const float rightSeconds = sync ? 1.0f : right * right;
    const FilterSection designed(FilterKind::kLowPass, 44100.0f, CutoffHertzOf(cutoff));
    const bool kept = engine.LeftDelaySeconds() == leftSeconds &&
                      engine.LeftRamp().TargetSamples() == leftSeconds * 44100.0f &&
                      engine.RightDelaySeconds() == rightSeconds &&
                      engine.RightRamp().TargetSamples() == rightSeconds * 44100.0f &&
                      engine.LowPassLeft().Cutoff() == designed.Cutoff() &&
                      engine.LowPassLeft().Pole() == designed.Pole() &&
                      engine.LowPassRight().Pole() == designed.Pole();
    EXPECT_TRUE(kept) << "round " << round << ": left " << engine.LeftRamp().TargetSamples() << " for "
                      << leftSeconds << " s, right " << engine.RightRamp().TargetSamples() << " for "
                      << rightSeconds << " s, cutoff " << engine.LowPassLeft().Cutoff() << " for "
                      << designed.Cutoff() << " Hz";
    points.released.store(round, std::memory_order_release);
    if (!kept) {
      break;
    }
  }
  points.stop.store(true, std::memory_order_release);
  audio.join();
}

}  // namespace
