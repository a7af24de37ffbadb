#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

#include "delay/DelayParameterTable.h"
#include "delay/QuorvelDelayDescription.h"
#include "tools/quorvel-host/BlockRunner.h"
#include "tools/quorvel-host/CommandLine.h"
#include "tools/quorvel-host/Commands.h"
#include "tools/quorvel-host/HostedPlugin.h"
#include "tools/quorvel-host/TestSignal.h"
#include "tools/quorvel-host/ToolOutput.h"

namespace QuorvelHost {

namespace {

constexpr double kSampleRate = 44100.0;
// The engine benchmark's block sizes, so that the two can be read side by side.
constexpr int32_t kBlockSizes[] = {32, 256, 4096};

struct Setting {
  const char* parameter;  // a name HostedParameter::Find finds
  float value;
};

struct Variant {
  const char* name;
  std::vector<Setting> settings;
};

// Quorvel Delay's plain, low-pass, high-pass and pan variants, for a plug-in of any format
// by that name; for any other only "plain", its own defaults.
std::vector<Variant> VariantsOf(const std::string& pluginName) {
  if (pluginName != kQuorvelDelayDescription.effectName) {
    return {{"plain", {}}};
  }
  using namespace DelayParameter;
  const auto named = [](int32_t index, float value) {
    return Setting{kQuorvelDelayDescription.parameters[index].shortName, value};
  };
  const Setting feedback = named(kFeedback, 0.7f);
  return {{"plain", {feedback}},
          {"low-pass", {feedback, named(kFilter, 1.0f), named(kFilterType, 0.0f)}},
          {"high-pass", {feedback, named(kFilter, 1.0f), named(kFilterType, 1.0f)}},
          {"pan", {feedback, named(kPan, 1.0f)}}};
}

struct Settings {
  double seconds = 2.0;
  int64_t repeats = 9;
};

// A module of any format, as the command line names it, with a probe instance that
// tells its variants and channels.
struct Target {
  std::string path;
  std::unique_ptr<HostedPlugin> probe;
};

// One instance of any format under measurement: started at the bench's rate with a
// variant's settings, running the same noise through itself in blocks, pass after pass.
class Subject {
 public:
  Subject(const Settings& settings) : frames_(static_cast<int64_t>(settings.seconds * kSampleRate)) {}

  // The variant's settings made before the first block, as a host makes them before playing.
  bool Start(const Target& target, const Variant& variant, int32_t blockSize, std::string& error) {
    plugin_ = HostedPlugin::Open(target.path, error);
    if (plugin_ == nullptr || !plugin_->Activate(kSampleRate, blockSize, error)) {
      return false;
    }
    for (const Setting& setting : variant.settings) {
      int32_t index = 0;
      if (!HostedParameter::Find(plugin_->Parameters(), setting.parameter, index, error)) {
        return false;
      }
      plugin_->SetNormalized(static_cast<size_t>(index), static_cast<double>(setting.value));
    }
    input_ = std::make_unique<ChannelBuffers>(plugin_->InputCount(), frames_);
    output_ = std::make_unique<ChannelBuffers>(plugin_->OutputCount(), frames_);
    TestSignal::Noise(*input_, 3, 0.5f, 0, frames_);
    runner_ = std::make_unique<BlockRunner>(*plugin_, blockSize);
    return true;
  }

  // One pass over the signal: nanoseconds per frame.
  double Run() {
    const auto start = std::chrono::steady_clock::now();
    runner_->Run(*input_, *output_, frames_ * passes_);
    ++passes_;
    return std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count() /
           static_cast<double>(frames_);
  }

 private:
  int64_t frames_;
  int64_t passes_ = 0;
  std::unique_ptr<HostedPlugin> plugin_;
  std::unique_ptr<BlockRunner> runner_;
  std::unique_ptr<ChannelBuffers> input_;
  std::unique_ptr<ChannelBuffers> output_;
};

// The median of the figures of `repeats` rounds, after one warm-up round.
double MedianOfRounds(const Settings& settings, const std::function<double(int64_t run)>& oneRound) {
  oneRound(0);
  std::vector<double> values;
  for (int64_t run = 0; run < settings.repeats; ++run) {
    values.push_back(oneRound(run));
  }
  std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2),
                   values.end());
  return values[values.size() / 2];
}

// The median ratio of two targets' plain cost, from passes taken in turn (each first in
// every other round), so that whatever else the machine does falls on both alike.
bool PairedRatio(const Target& ours, const Target& theirs, int32_t blockSize, const Settings& settings,
                 double& ratio, std::string& error) {
  const Variant plain{"plain", {}};
  Subject a(settings);
  Subject b(settings);
  if (!a.Start(ours, plain, blockSize, error) || !b.Start(theirs, plain, blockSize, error)) {
    return false;
  }
  ratio = MedianOfRounds(settings, [&a, &b](int64_t run) {
    double first = run % 2 == 0 ? a.Run() : 0.0;
    const double second = b.Run();
    if (run % 2 != 0) {
      first = a.Run();
    }
    return second > 0.0 ? first / second : 0.0;
  });
  return true;
}

std::string BaseName(const std::string& path) {
  size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Prints one table row per variant and block size: the median nanoseconds per frame of
// timed passes, each variant's instance started afresh for every block size.
bool BenchModule(const Target& target, const Settings& settings, std::string& error) {
  // A frame is one sample per channel, so the channel counts belong with the figures.
  const std::string channels =
      std::to_string(target.probe->InputCount()) + "/" + std::to_string(target.probe->OutputCount());
  for (const Variant& variant : VariantsOf(target.probe->Name())) {
    for (int32_t blockSize : kBlockSizes) {
      Subject subject(settings);
      if (!subject.Start(target, variant, blockSize, error)) {
        return false;
      }
      const double nanoseconds = MedianOfRounds(settings, [&subject](int64_t) { return subject.Run(); });
      // The real-time factor: processing time per second of audio.
      double factor = nanoseconds * kSampleRate / 1e9;
      std::printf("%-24s %-5s %-10s %5d %10.2f %12.6f %10.0fx\n", BaseName(target.path).c_str(),
                  channels.c_str(), variant.name, blockSize, nanoseconds, factor,
                  factor > 0.0 ? 1.0 / factor : 0.0);
      std::fflush(stdout);
    }
  }
  return true;
}

}  // namespace

int RunBench(const std::vector<std::string>& args) {
  CommandLine line;
  std::string error;
  Settings settings;
  if (!line.Parse(args, {{"vs", true, true}, {"seconds", true, false}, {"repeats", true, false}}, error)) {
    return ToolOutput::Error("bench", error, ToolOutput::kUsageError);
  }
  if (line.Positionals().size() != 1) {
    return ToolOutput::Error("bench", "expects exactly one MODULE", ToolOutput::kUsageError);
  }
  if (!CommandLine::ParseReal(line.Value("seconds", "2"), 0.01, 600.0, settings.seconds) ||
      !CommandLine::ParseInteger(line.Value("repeats", "9"), 1, 1000, settings.repeats)) {
    return ToolOutput::Error("bench", "--seconds takes 0.01 to 600, --repeats 1 to 1000",
                             ToolOutput::kUsageError);
  }
  // Every module is opened before anything is measured, so a wrong path fails at once.
  std::vector<std::string> paths = line.Values("vs");
  paths.insert(paths.begin(), line.Positionals()[0]);
  std::vector<Target> targets;
  for (const std::string& path : paths) {
    targets.push_back({path, HostedPlugin::Open(path, error)});
    if (targets.back().probe == nullptr) {
      return ToolOutput::Error("bench", error);
    }
  }
  std::printf("%.0f Hz, median of %lld runs of %.2f s each\n", kSampleRate,
              static_cast<long long>(settings.repeats), settings.seconds);
  std::printf("%-24s %-5s %-10s %5s %10s %12s %11s\n", "module", "in/out", "variant", "block", "ns/frame",
              "RT factor", "speed");
  for (const Target& target : targets) {
    if (!BenchModule(target, settings, error)) {
      return ToolOutput::Error("bench", error);
    }
  }
  if (targets.size() > 1) {
    std::printf("\n");
  }
  const Target& module = targets.front();
  for (auto other = targets.begin() + 1; other != targets.end(); ++other) {
    std::printf("ratio %s / %s, plain, ns per frame:", BaseName(module.path).c_str(),
                BaseName(other->path).c_str());
    for (int32_t blockSize : kBlockSizes) {
      double ratio = 0.0;
      if (!PairedRatio(module, *other, blockSize, settings, ratio, error)) {
        return ToolOutput::Error("bench", error);
      }
      std::printf("  block %d: %.3f", blockSize, ratio);
      std::fflush(stdout);
    }
    std::printf("  (median of runs in turn)\n");
  }
  return ToolOutput::kSuccess;
}

}  // namespace QuorvelHost
