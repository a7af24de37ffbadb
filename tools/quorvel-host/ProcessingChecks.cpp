#include <algorithm>
#include <chrono>
#include <vector>

#include "tools/quorvel-host/BlockRunner.h"
#include "tools/quorvel-host/HostedPlugin.h"
#include "tools/quorvel-host/CheckGroups.h"
#include "tools/quorvel-host/TestSignal.h"
#include "tools/quorvel-host/ToolOutput.h"
#include "tools/quorvel-host/Validator.h"

namespace QuorvelHost {

namespace {

constexpr int32_t kBlockSizes[] = {1, 7, 32, 512, 4096};
constexpr int32_t kAutomationBlock = 256;
constexpr double kSampleRates[] = {22050.0, 32000.0, 44100.0, 48000.0, 88200.0, 96000.0, 176400.0, 192000.0};
constexpr double kGridRates[] = {22050.0, 44100.0, 96000.0, 192000.0};
constexpr double kLoudSeconds = 2.0;
constexpr double kSilentSeconds = 120.0;
constexpr double kTimedSeconds = 10.0;
// Subnormal arithmetic costs tens of times more; ordinary jitter far less.
constexpr double kSlowDownLimit = 4.0;
constexpr int kRuns = 3;

std::string Describe(const TestSignal::Scan& scan) {
  return std::to_string(scan.nonFinite) + " not finite, " + std::to_string(scan.subnormal) + " subnormal";
}

void RandomAutomation(Validator& validator) {
  const char* check = "random parameter changes while processing";
  std::unique_ptr<HostedPlugin> plugin = validator.New(check, Validator::kSampleRate, kAutomationBlock);
  if (plugin == nullptr) {
    return;
  }
  ChannelBuffers input = Validator::Signal(*plugin, Validator::kSampleRate, 3.0, 1.0);
  ChannelBuffers output(plugin->OutputCount(), input.Frames());
  uint32_t state = 20240607u;
  auto next = [&state]() {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
  };
  int changes = 0;
  const auto count = static_cast<uint32_t>(plugin->Parameters().size());
  BlockRunner runner(*plugin, kAutomationBlock);
  runner.SetBlockHook([&](int64_t, int32_t) {
    for (uint32_t n = next() % 4; n > 0 && count > 0; --n) {
      const uint32_t index = next() % count;
      const double value = static_cast<double>(static_cast<float>(next()) / 16777216.0f);
      plugin->QueueValue(index, plugin->PlainOf(index, value),
                         static_cast<int32_t>(next() % kAutomationBlock));
      ++changes;
    }
    std::string ignored;
    if (next() % 64 == 0 && plugin->ProgramCount() > 0) {
      plugin->SelectProgram(static_cast<int32_t>(next() % static_cast<uint32_t>(plugin->ProgramCount())),
                            ignored);
    }
  });
  runner.Run(input, output);
  TestSignal::Scan scan = TestSignal::Examine(output);
  validator.Report(
      check, *plugin, scan.Clean(),
      std::to_string(changes) + " changes, " + Describe(scan) + ", peak " + ToolOutput::Number(scan.peak));
}

void BlockSizeIndependence(Validator& validator) {
  const char* check = "output independent of the block size";
  double largest = 0.0;
  int32_t worstBlock = 0;
  for (int setting = 0; setting < 2; ++setting) {
    std::vector<ChannelBuffers> outputs;
    for (int32_t blockSize : kBlockSizes) {
      std::unique_ptr<HostedPlugin> plugin = validator.New(check, Validator::kSampleRate, blockSize);
      if (plugin == nullptr) {
        return;
      }
      if (setting == 0) {
        Validator::ApplyActiveSettings(*plugin);
      } else {
        Validator::ApplyRandomSettings(*plugin, 7);
      }
      outputs.push_back(Validator::Sound(*plugin, Validator::kSampleRate, blockSize));
      validator.Gather(*plugin);
      double difference = outputs.back().LargestDifference(outputs.front());
      if (difference > largest) {
        largest = difference;
        worstBlock = blockSize;
      }
    }
  }
  std::string detail = "block sizes 1, 7, 32, 512, 4096; largest difference " + ToolOutput::Number(largest);
  if (largest > Validator::kEqualWithin) {
    detail += " (block size " + std::to_string(worstBlock) + " against 1)";
  }
  validator.Report(check, largest <= Validator::kEqualWithin, detail);
}

void SampleRates(Validator& validator) {
  const char* check = "sample rates from 22050 to 192000";
  // The rates that went wrong, each with what befell it.
  std::string problems;
  auto add = [&problems](double rate, const std::string& what) {
    problems += (problems.empty() ? "" : ", ") + std::to_string(static_cast<int>(rate)) + what;
  };
  std::unique_ptr<HostedPlugin> changing = validator.New(check);
  if (changing == nullptr) {
    return;
  }
  Validator::ApplyActiveSettings(*changing);
  for (double rate : kSampleRates) {
    std::unique_ptr<HostedPlugin> fresh = validator.New(check, rate);
    if (fresh == nullptr) {
      return;
    }
    Validator::ApplyActiveSettings(*fresh);
    std::string error;
    changing->Deactivate();
    if (!changing->Activate(rate, Validator::kBlockSize, error)) {
      add(rate, " (" + error + ")");
      continue;
    }
    for (HostedPlugin* plugin : {fresh.get(), changing.get()}) {
      TestSignal::Scan scan = TestSignal::Examine(Validator::Sound(*plugin, rate));
      if (!scan.Clean() || scan.peak == 0.0) {
        add(rate, plugin == fresh.get() ? "" : " (switched)");
      }
    }
    validator.Gather(*fresh);
  }
  validator.Report(
      check, *changing, problems.empty(),
      "8 rates, each on a new instance and on one instance switched between them" +
          (problems.empty() ? std::string() : "; silent or unclean output at " + problems + " Hz"));
}

void CleanNumbers(Validator& validator) {
  const char* check = "no NaN, infinite or subnormal output at any rate and block size";
  TestSignal::Scan total;
  int runs = 0;
  for (double rate : kGridRates) {
    for (int32_t blockSize : kBlockSizes) {
      std::unique_ptr<HostedPlugin> plugin = validator.New(check, rate, blockSize);
      if (plugin == nullptr) {
        return;
      }
      Validator::ApplyActiveSettings(*plugin);
      ChannelBuffers input = Validator::Signal(*plugin, rate, 0.3, 0.2);
      TestSignal::Scan scan = TestSignal::Examine(Validator::Process(*plugin, input, blockSize));
      validator.Gather(*plugin);
      total.nonFinite += scan.nonFinite;
      total.subnormal += scan.subnormal;
      ++runs;
    }
  }
  validator.Report(check, total.Clean(), std::to_string(runs) + " runs, " + Describe(total));
}

double MedianNanoseconds(std::vector<double> times) {
  if (times.empty()) {
    return 0.0;
  }
  std::nth_element(times.begin(), times.begin() + static_cast<std::ptrdiff_t>(times.size() / 2), times.end());
  return times[times.size() / 2];
}

void SilenceAfterFeedback(Validator& validator) {
  const char* check = "long silence after loud feedback";
  std::unique_ptr<HostedPlugin> plugin = validator.New(check);
  if (plugin == nullptr) {
    return;
  }
  Validator::ApplyActiveSettings(*plugin);
  const auto loudEnd = static_cast<int64_t>(kLoudSeconds * Validator::kSampleRate);
  ChannelBuffers input(plugin->InputCount(),
                       loudEnd + static_cast<int64_t>(kSilentSeconds * Validator::kSampleRate));
  TestSignal::Noise(input, 1, 1.0f, 0, loudEnd);  // full scale
  ChannelBuffers output(plugin->OutputCount(), input.Frames());
  auto timedStart = input.Frames() - static_cast<int64_t>(kTimedSeconds * Validator::kSampleRate);
  // When each block starts, and at last when the run ends; reserved so that no block waits
  // on the allocator.
  std::vector<std::chrono::steady_clock::time_point> starts;
  starts.reserve(static_cast<size_t>(input.Frames() / Validator::kBlockSize + 2));
  BlockRunner runner(*plugin, Validator::kBlockSize);
  runner.SetBlockHook([&starts](int64_t, int32_t) { starts.push_back(std::chrono::steady_clock::now()); });
  // Whatever else the machine runs may slow a stretch of blocks; a plug-in that slows down
  // in silence does so on every run, so a run found slow is tried again.
  TestSignal::Scan scan;
  double ratio = 0.0;
  for (int run = 0; run < kRuns && (run == 0 || ratio >= kSlowDownLimit); ++run) {
    starts.clear();
    runner.Run(input, output);
    starts.push_back(std::chrono::steady_clock::now());
    std::vector<double> loudTimes;
    std::vector<double> silentTimes;
    for (size_t block = 0; block + 1 < starts.size(); ++block) {
      const int64_t first = static_cast<int64_t>(block) * Validator::kBlockSize;
      const double elapsed =
          std::chrono::duration<double, std::nano>(starts[block + 1] - starts[block]).count();
      if (first >= loudEnd / 2 && first < loudEnd) {
        loudTimes.push_back(elapsed);
      } else if (first >= timedStart) {
        silentTimes.push_back(elapsed);
      }
    }
    const TestSignal::Scan runScan = TestSignal::Examine(output);
    scan.nonFinite += runScan.nonFinite;
    scan.subnormal += runScan.subnormal;
    const double loud = MedianNanoseconds(loudTimes);
    ratio = loud > 0.0 ? MedianNanoseconds(silentTimes) / loud : 0.0;
  }
  validator.Report(check, *plugin, scan.Clean() && ratio < kSlowDownLimit,
                   ToolOutput::Number(kSilentSeconds) + " s of silence: " + Describe(scan) +
                       ", block time in the last " + ToolOutput::Number(kTimedSeconds) + " s " +
                       ToolOutput::Number(ratio) + " times that of loud blocks");
}

void InPlace(Validator& validator) {
  const char* check = "in-place processing equals separate buffers";
  std::unique_ptr<HostedPlugin> separate = validator.New(check);
  std::unique_ptr<HostedPlugin> inPlace = separate ? validator.New(check) : nullptr;
  if (inPlace == nullptr) {
    return;
  }
  Validator::ApplyActiveSettings(*separate);
  Validator::ApplyActiveSettings(*inPlace);
  ChannelBuffers input = Validator::Signal(*separate, Validator::kSampleRate, 1.0, 0.5);
  ChannelBuffers expected = Validator::Process(*separate, input);
  // One buffer per channel serves as input and output alike.
  int32_t channels = std::max(inPlace->InputCount(), inPlace->OutputCount());
  ChannelBuffers shared(channels, input.Frames());
  for (int32_t c = 0; c < channels; ++c) {
    const float* source = input.Channel(std::min(c, input.Channels() - 1));
    std::copy(source, source + input.Frames(), shared.Channel(c));
  }
  BlockRunner(*inPlace, Validator::kBlockSize).Run(shared, shared);
  ChannelBuffers actual(inPlace->OutputCount(), input.Frames());
  for (int32_t c = 0; c < actual.Channels(); ++c) {
    std::copy(shared.Channel(c), shared.Channel(c) + input.Frames(), actual.Channel(c));
  }
  double difference = actual.LargestDifference(expected);
  validator.Report(check, *inPlace, difference <= Validator::kEqualWithin,
                   "largest difference " + ToolOutput::Number(difference));
}

}  // namespace

void CheckGroups::Processing(Validator& validator) {
  RandomAutomation(validator);
  BlockSizeIndependence(validator);
  SampleRates(validator);
  CleanNumbers(validator);
  SilenceAfterFeedback(validator);
  InPlace(validator);
}

}  // namespace QuorvelHost
