// DelayEngine::Process per stereo frame, for each variant, pan off and on, delays settled or
// gliding, and three host block sizes. Run: build/native-release/benchmarks/delay-benchmark
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "delay/DelayEngine.h"

namespace {

enum Variant : int64_t { kPlain, kLowPass, kHighPass };

void ProcessBlocks(benchmark::State& state) {
  const auto variant = static_cast<Variant>(state.range(0));
  const bool pan = state.range(1) != 0;
  const bool gliding = state.range(2) != 0;
  const auto frames = static_cast<int32_t>(state.range(3));

  DelayEngine engine;
  engine.filterEnabled = variant != kPlain;
  engine.filterType = variant == kHighPass ? 1 : 0;
  engine.panEnabled = pan;
  engine.feedback = 0.6f;
  engine.SetCutoff(2500.0f);
  engine.SetLeftDelay(0.37f);
  engine.SetRightDelay(0.21f);

  // Loud noise, so that the saturator's both branches and the gliding delays are exercised.
  std::vector<float> inL(static_cast<size_t>(frames));
  std::vector<float> inR(static_cast<size_t>(frames));
  uint32_t seed = 12345;
  for (size_t i = 0; i < inL.size(); ++i) {
    seed = seed * 1664525u + 1013904223u;
    inL[i] = static_cast<float>(seed >> 8) / 8388608.0f - 1.0f;
    inR[i] = -0.5f * inL[i];
  }
  std::vector<float> outL(inL.size());
  std::vector<float> outR(inR.size());

  // Twenty seconds let any glide land or stall; a gliding run keeps both delays moving by
  // retargeting them every 8192 frames, long before either could settle.
  for (int32_t done = 0; done < 20 * 44100; done += frames) {
    engine.Process(inL.data(), inR.data(), outL.data(), outR.data(), frames);
  }
  int64_t sinceRetarget = 0;
  bool toward = false;
  for (auto _ : state) {
    if (gliding && (sinceRetarget += frames) >= 8192) {
      sinceRetarget = 0;
      toward = !toward;
      engine.SetLeftDelay(toward ? 0.30f : 0.37f);
      engine.SetRightDelay(toward ? 0.26f : 0.21f);
    }
    engine.Process(inL.data(), inR.data(), outL.data(), outR.data(), frames);
    benchmark::DoNotOptimize(outL.data());
    benchmark::DoNotOptimize(outR.data());
    benchmark::ClobberMemory();
  }
  // Seconds per frame, which the report shows with an SI prefix (n for nanoseconds).
  state.counters["time/frame"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * frames,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.SetLabel(std::string(variant == kPlain     ? "plain"
                             : variant == kLowPass ? "low-pass"
                                                   : "high-pass") +
                 (pan ? ", pan" : "") + (gliding ? ", gliding" : ", settled"));
}

BENCHMARK(ProcessBlocks)
    ->ArgNames({"variant", "pan", "glide", "frames"})
    ->ArgsProduct({{kPlain, kLowPass, kHighPass}, {0, 1}, {0, 1}, {32, 256, 4096}});

}  // namespace

BENCHMARK_MAIN();
