#include "tools/quorvel-host/BenchCommand.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>

#include "tools/quorvel-host/BlockRunner.h"
#include "tools/quorvel-host/CommandLine.h"
#include "tools/quorvel-host/KnownPlugin.h"
#include "tools/quorvel-host/ParameterLookup.h"
#include "tools/quorvel-host/PluginInstance.h"
#include "tools/quorvel-host/PluginModule.h"
#include "tools/quorvel-host/TestSignal.h"
#include "tools/quorvel-host/ToolOutput.h"
#include "tools/quorvel-host/Vst3BlockRunner.h"
#include "tools/quorvel-host/Vst3Instance.h"
#include "tools/quorvel-host/Vst3Module.h"

namespace QuorvelHost {

namespace {

constexpr double kSampleRate = 44100.0;
// The engine benchmark's block sizes, so that the two can be read side by side.
constexpr int32_t kBlockSizes[] = {32, 256, 4096};

struct Settings {
  double seconds = 2.0;
  int64_t repeats = 9;
};

// A module of either format, as the command line names it.
struct Target {
  std::string path;
  std::unique_ptr<PluginModule> vst2;
  std::unique_ptr<Vst3Module> vst3;
};

bool OpenTarget(const std::string& path, Target& target, std::string& error) {
  target.path = path;
  if (Vst3Module::IsVst3Path(path)) {
    target.vst3 = Vst3Module::Open(path, error);
    return target.vst3 != nullptr;
  }
  target.vst2 = PluginModule::Open(path, error);
  return target.vst2 != nullptr;
}

// The median of timed runs, per frame.
double MedianPerFrame(std::vector<double> times, int64_t frames) {
  std::nth_element(times.begin(), times.begin() + static_cast<std::ptrdiff_t>(times.size() / 2), times.end());
  return times[times.size() / 2] / static_cast<double>(frames);
}

// A VST3 parameter's ID by its short or long title; false where none has it.
bool FindVst3Parameter(Steinberg::Vst::IEditController& controller, const char* name, Steinberg::Vst::ParamID& id) {
  for (Steinberg::int32 i = 0; i < controller.getParameterCount(); ++i) {
    Steinberg::Vst::ParameterInfo info{};
    if (controller.getParameterInfo(i, info) != Steinberg::kResultOk) {
      continue;
    }
    for (const Steinberg::char16* title : {info.shortTitle, info.title}) {
      std::string ascii;
      for (const Steinberg::char16* c = title; *c != 0; ++c) {
        ascii.push_back(static_cast<char>(*c));
      }
      if (ascii == name) {
        id = info.id;
        return true;
      }
    }
  }
  return false;
}

// MeasureVst2's VST3 counterpart: the same signal, settings and runs through the bundle.
bool MeasureVst3(const Vst3Module& module, const KnownPlugin::Variant& variant, int32_t blockSize,
                 const Settings& settings, double& nanosecondsPerFrame, std::string& error) {
  std::unique_ptr<Vst3Instance> plugin = Vst3Instance::Create(module, error);
  if (plugin == nullptr) {
    return false;
  }
  if (!plugin->Start(kSampleRate, blockSize) || plugin->Controller() == nullptr) {
    error = "module " + module.Name() + " does not start with a stereo 32-bit set-up";
    return false;
  }
  Vst3BlockRunner runner(*plugin, blockSize, kSampleRate);
  for (const KnownPlugin::Setting& setting : variant.settings) {
    Steinberg::Vst::ParamID id = 0;
    if (!FindVst3Parameter(*plugin->Controller(), setting.parameter, id)) {
      error = "module " + module.Name() + " has no parameter " + setting.parameter;
      return false;
    }
    runner.NextChanges().Add(id, 0, setting.value);
  }
  auto frames = static_cast<int64_t>(settings.seconds * kSampleRate);
  ChannelBuffers input(2, frames);
  ChannelBuffers output(2, frames);
  TestSignal::Noise(input, 3, 0.5f, 0, frames);
  runner.Run(input, output);
  std::vector<double> times;
  for (int64_t run = 0; run < settings.repeats; ++run) {
    auto start = std::chrono::steady_clock::now();
    runner.Run(input, output, frames * (run + 1));
    times.push_back(
        std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count());
  }
  nanosecondsPerFrame = MedianPerFrame(times, frames);
  return true;
}

// Median nanoseconds per frame of `repeats` timed runs after one warm-up run.
bool MeasureVst2(const PluginModule& module, const KnownPlugin::Variant& variant, int32_t blockSize,
             const Settings& settings, double& nanosecondsPerFrame, std::string& error) {
  std::unique_ptr<PluginInstance> plugin = module.CreateInstance(error);
  if (plugin == nullptr) {
    return false;
  }
  if (!plugin->CanProcessReplacing()) {
    error = "module " + module.Name() + " offers no replacing processing";
    return false;
  }
  plugin->Start(kSampleRate, blockSize);
  ParameterLookup lookup(*plugin);
  for (const KnownPlugin::Setting& setting : variant.settings) {
    int32_t index = 0;
    if (!lookup.Find(setting.parameter, index, error)) {
      return false;
    }
    plugin->SetParameter(index, setting.value);
  }
  auto frames = static_cast<int64_t>(settings.seconds * kSampleRate);
  ChannelBuffers input(plugin->InputCount(), frames);
  ChannelBuffers output(plugin->OutputCount(), frames);
  TestSignal::Noise(input, 3, 0.5f, 0, frames);
  BlockRunner runner(*plugin, blockSize);
  runner.Run(input, output);
  std::vector<double> times;
  for (int64_t run = 0; run < settings.repeats; ++run) {
    auto start = std::chrono::steady_clock::now();
    runner.Run(input, output, frames * (run + 1));
    times.push_back(
        std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count());
  }
  nanosecondsPerFrame = MedianPerFrame(times, frames);
  return true;
}

std::string BaseName(const std::string& path) {
  size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The variants and the channels of a target, from a probe instance.
bool Describe(const Target& target, std::vector<KnownPlugin::Variant>& variants, std::string& channels,
              std::string& error) {
  if (target.vst3 != nullptr) {
    Steinberg::PClassInfo info{};
    target.vst3->FindAudioClass(info);
    variants = std::string(info.name) == "Quorvel Delay" ? KnownPlugin::QuorvelDelayVariants()
                                                        : std::vector<KnownPlugin::Variant>{{"plain", {}}};
    channels = "2/2";
    return true;
  }
  std::unique_ptr<PluginInstance> probe = target.vst2->CreateInstance(error);
  if (probe == nullptr) {
    return false;
  }
  variants = KnownPlugin::BenchVariants(*probe);
  // A frame is one sample per channel, so the channel counts belong with the figures.
  channels = std::to_string(probe->InputCount()) + "/" + std::to_string(probe->OutputCount());
  return true;
}

// Prints one table row per variant and block size; the plain figures by block size.
bool BenchModule(const Target& target, const Settings& settings, std::map<int32_t, double>& plain,
                 std::string& error) {
  std::vector<KnownPlugin::Variant> variants;
  std::string channels;
  if (!Describe(target, variants, channels, error)) {
    return false;
  }
  for (const KnownPlugin::Variant& variant : variants) {
    for (int32_t blockSize : kBlockSizes) {
      double nanoseconds = 0.0;
      const bool measured = target.vst3 != nullptr
                                ? MeasureVst3(*target.vst3, variant, blockSize, settings, nanoseconds, error)
                                : MeasureVst2(*target.vst2, variant, blockSize, settings, nanoseconds, error);
      if (!measured) {
        return false;
      }
      if (plain.count(blockSize) == 0) {
        plain[blockSize] = nanoseconds;
      }
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

int BenchCommand::Run(const std::vector<std::string>& args) {
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
  Target module;
  if (!OpenTarget(line.Positionals()[0], module, error)) {
    return ToolOutput::Error("bench", error);
  }
  // Every module is opened before anything is measured, so a wrong path fails at once.
  std::vector<Target> others(line.Values("vs").size());
  for (size_t i = 0; i < others.size(); ++i) {
    if (!OpenTarget(line.Values("vs")[i], others[i], error)) {
      return ToolOutput::Error("bench", error);
    }
  }
  std::printf("%.0f Hz, median of %lld runs of %.2f s each\n", kSampleRate,
              static_cast<long long>(settings.repeats), settings.seconds);
  std::printf("%-24s %-5s %-10s %5s %10s %12s %11s\n", "module", "in/out", "variant", "block", "ns/frame",
              "RT factor", "speed");
  std::map<int32_t, double> ours;
  std::vector<std::map<int32_t, double>> theirs(others.size());
  if (!BenchModule(module, settings, ours, error)) {
    return ToolOutput::Error("bench", error);
  }
  for (size_t i = 0; i < others.size(); ++i) {
    if (!BenchModule(others[i], settings, theirs[i], error)) {
      return ToolOutput::Error("bench", error);
    }
  }
  if (!others.empty()) {
    std::printf("\n");
  }
  for (size_t i = 0; i < others.size(); ++i) {
    std::printf("ratio %s / %s, plain, ns per frame:", BaseName(module.path).c_str(),
                BaseName(others[i].path).c_str());
    for (int32_t blockSize : kBlockSizes) {
      std::printf("  block %d: %.2f", blockSize, ours[blockSize] / theirs[i][blockSize]);
    }
    std::printf("\n");
  }
  return ToolOutput::kSuccess;
}

}  // namespace QuorvelHost
