#include "tools/quorvel-host/BenchCommand.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>

#include "tools/quorvel-host/BlockRunner.h"
#include "tools/quorvel-host/CommandLine.h"
#include "tools/quorvel-host/KnownPlugin.h"
#include "tools/quorvel-host/Lv2BlockRunner.h"
#include "tools/quorvel-host/Lv2Module.h"
#include "tools/quorvel-host/ParameterLookup.h"
#include "tools/quorvel-host/PluginInstance.h"
#include "tools/quorvel-host/PluginModule.h"
#include "tools/quorvel-host/TestSignal.h"
#include "tools/quorvel-host/ToolOutput.h"
#include "tools/quorvel-host/ClapBlockRunner.h"
#include "tools/quorvel-host/ClapInstance.h"
#include "tools/quorvel-host/ClapModule.h"
#include "tools/quorvel-host/Vst3BlockRunner.h"
#include "tools/quorvel-host/Vst3Instance.h"
#include "tools/quorvel-host/Vst3Module.h"
#include "tools/quorvel-host/Vst3Text.h"

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
  std::unique_ptr<ClapModule> clap;
  std::unique_ptr<Lv2Module> lv2;
};

bool OpenTarget(const std::string& path, Target& target, std::string& error) {
  target.path = path;
  if (ClapModule::IsClapPath(path)) {
    target.clap = ClapModule::Open(path, error);
    return target.clap != nullptr;
  }
  if (Vst3Module::IsVst3Path(path)) {
    target.vst3 = Vst3Module::Open(path, error);
    return target.vst3 != nullptr;
  }
  if (Lv2Module::IsLv2Path(path)) {
    target.lv2 = Lv2Module::Open(path, error);
    return target.lv2 != nullptr;
  }
  target.vst2 = PluginModule::Open(path, error);
  return target.vst2 != nullptr;
}

double Median(std::vector<double> values) {
  std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2), values.end());
  return values[values.size() / 2];
}

// A VST3 parameter's ID by its short or long title; false where none has it.
bool FindVst3Parameter(Steinberg::Vst::IEditController& controller, const char* name, Steinberg::Vst::ParamID& id) {
  for (Steinberg::int32 i = 0; i < controller.getParameterCount(); ++i) {
    Steinberg::Vst::ParameterInfo info{};
    if (controller.getParameterInfo(i, info) != Steinberg::kResultOk) {
      continue;
    }
    for (const Steinberg::char16* title : {info.shortTitle, info.title}) {
      if (Vst3Text::Ascii(title) == name) {
        id = info.id;
        return true;
      }
    }
  }
  return false;
}

// One instance of either format under measurement: started at the bench's rate with a
// variant's settings, running the same noise through itself in blocks, pass after pass.
class Subject {
 public:
  Subject(const Settings& settings) : frames_(static_cast<int64_t>(settings.seconds * kSampleRate)) {}

  bool Start(const Target& target, const KnownPlugin::Variant& variant, int32_t blockSize, std::string& error) {
    if (target.clap != nullptr) {
      return StartClap(*target.clap, variant, blockSize, error);
    }
    if (target.lv2 != nullptr) {
      return StartLv2(*target.lv2, variant, blockSize, error);
    }
    return target.vst3 != nullptr ? StartVst3(*target.vst3, variant, blockSize, error)
                                  : StartVst2(*target.vst2, variant, blockSize, error);
  }

  // One pass over the signal: nanoseconds per frame.
  double Run() {
    const auto start = std::chrono::steady_clock::now();
    if (runner2_ != nullptr) {
      runner2_->Run(*input_, *output_, frames_ * passes_);
    } else if (runnerClap_ != nullptr) {
      runnerClap_->Run(*input_, *output_, frames_ * passes_);
    } else if (runnerLv2_ != nullptr) {
      runnerLv2_->Run(*input_, *output_, frames_ * passes_);
    } else {
      runner3_->Run(*input_, *output_, frames_ * passes_);
    }
    ++passes_;
    return std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count() /
           static_cast<double>(frames_);
  }

 private:
  bool StartVst2(const PluginModule& module, const KnownPlugin::Variant& variant, int32_t blockSize,
                 std::string& error) {
    vst2_ = module.CreateInstance(error);
    if (vst2_ == nullptr) {
      return false;
    }
    if (!vst2_->CanProcessReplacing()) {
      error = "module " + module.Name() + " offers no replacing processing";
      return false;
    }
    vst2_->Start(kSampleRate, blockSize);
    ParameterLookup lookup(*vst2_);
    for (const KnownPlugin::Setting& setting : variant.settings) {
      int32_t index = 0;
      if (!lookup.Find(setting.parameter, index, error)) {
        return false;
      }
      vst2_->SetParameter(index, setting.value);
    }
    MakeSignal(vst2_->InputCount(), vst2_->OutputCount());
    runner2_ = std::make_unique<BlockRunner>(*vst2_, blockSize);
    return true;
  }

  bool StartVst3(const Vst3Module& module, const KnownPlugin::Variant& variant, int32_t blockSize,
                 std::string& error) {
    vst3_ = Vst3Instance::Create(module, error);
    if (vst3_ == nullptr) {
      return false;
    }
    if (!vst3_->Start(kSampleRate, blockSize) || vst3_->Controller() == nullptr) {
      error = "module " + module.Name() + " does not start with a stereo 32-bit set-up";
      return false;
    }
    runner3_ = std::make_unique<Vst3BlockRunner>(*vst3_, blockSize, kSampleRate);
    for (const KnownPlugin::Setting& setting : variant.settings) {
      Steinberg::Vst::ParamID id = 0;
      if (!FindVst3Parameter(*vst3_->Controller(), setting.parameter, id)) {
        error = "module " + module.Name() + " has no parameter " + setting.parameter;
        return false;
      }
      // The first block's changes, as a VST3 host sends settings made before playing.
      runner3_->NextChanges().Add(id, 0, setting.value);
    }
    MakeSignal(2, 2);
    return true;
  }

  bool StartClap(const ClapModule& module, const KnownPlugin::Variant& variant, int32_t blockSize,
                 std::string& error) {
    clap_ = ClapInstance::Create(module, error);
    if (clap_ == nullptr) {
      return false;
    }
    if (!clap_->Start(kSampleRate, blockSize)) {
      error = "module " + module.Name() + " does not activate";
      return false;
    }
    runnerClap_ = std::make_unique<ClapBlockRunner>(*clap_, blockSize, kSampleRate);
    for (const KnownPlugin::Setting& setting : variant.settings) {
      clap_id id = 0;
      if (!clap_->FindParameter(setting.parameter, id)) {
        error = "module " + module.Name() + " has no parameter " + setting.parameter;
        return false;
      }
      // The first block's events, as a CLAP host sends settings made before playing.
      runnerClap_->NextEvents().AddParameter(0, id, clap_->PlainValue(id, setting.value));
    }
    MakeSignal(2, 2);
    return true;
  }

  // The settings as the host's port values before the first block; the transport is the
  // plug-in's own (no time:Position), as a VST2 host giving no time information.
  bool StartLv2(const Lv2Module& module, const KnownPlugin::Variant& variant, int32_t blockSize, std::string& error) {
    runnerLv2_ = Lv2BlockRunner::Create(module, kSampleRate, blockSize, error);
    if (runnerLv2_ == nullptr) {
      return false;
    }
    runnerLv2_->SetSendsTime(false);
    for (const KnownPlugin::Setting& setting : variant.settings) {
      if (!runnerLv2_->SetParameter(setting.parameter, setting.value)) {
        error = "plug-in " + module.Uri() + " has no parameter " + setting.parameter;
        return false;
      }
    }
    MakeSignal(2, 2);
    return true;
  }

  void MakeSignal(int32_t inputs, int32_t outputs) {
    input_ = std::make_unique<ChannelBuffers>(inputs, frames_);
    output_ = std::make_unique<ChannelBuffers>(outputs, frames_);
    TestSignal::Noise(*input_, 3, 0.5f, 0, frames_);
  }

  int64_t frames_;
  int64_t passes_ = 0;
  std::unique_ptr<PluginInstance> vst2_;
  std::unique_ptr<BlockRunner> runner2_;
  std::unique_ptr<Vst3Instance> vst3_;
  std::unique_ptr<Vst3BlockRunner> runner3_;
  std::unique_ptr<ClapInstance> clap_;
  std::unique_ptr<ClapBlockRunner> runnerClap_;
  std::unique_ptr<Lv2BlockRunner> runnerLv2_;
  std::unique_ptr<ChannelBuffers> input_;
  std::unique_ptr<ChannelBuffers> output_;
};

// Median nanoseconds per frame of `repeats` timed passes after one warm-up pass.
bool Measure(const Target& target, const KnownPlugin::Variant& variant, int32_t blockSize, const Settings& settings,
             double& nanosecondsPerFrame, std::string& error) {
  Subject subject(settings);
  if (!subject.Start(target, variant, blockSize, error)) {
    return false;
  }
  subject.Run();
  std::vector<double> times;
  for (int64_t run = 0; run < settings.repeats; ++run) {
    times.push_back(subject.Run());
  }
  nanosecondsPerFrame = Median(times);
  return true;
}

// The median ratio of two targets' plain cost, from passes taken in turn (each first in
// every other round), so that whatever else the machine does falls on both alike.
bool PairedRatio(const Target& ours, const Target& theirs, int32_t blockSize, const Settings& settings, double& ratio,
                 std::string& error) {
  const KnownPlugin::Variant plain{"plain", {}};
  Subject a(settings);
  Subject b(settings);
  if (!a.Start(ours, plain, blockSize, error) || !b.Start(theirs, plain, blockSize, error)) {
    return false;
  }
  a.Run();
  b.Run();
  std::vector<double> ratios;
  for (int64_t run = 0; run < settings.repeats; ++run) {
    double first = 0.0;
    double second = 0.0;
    if (run % 2 == 0) {
      first = a.Run();
      second = b.Run();
    } else {
      second = b.Run();
      first = a.Run();
    }
    ratios.push_back(second > 0.0 ? first / second : 0.0);
  }
  ratio = Median(ratios);
  return true;
}

std::string BaseName(const std::string& path) {
  size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The variants and the channels of a target, from a probe instance.
bool Describe(const Target& target, std::vector<KnownPlugin::Variant>& variants, std::string& channels,
              std::string& error) {
  if (target.clap != nullptr) {
    variants = std::string(target.clap->Descriptor()->name) == "Quorvel Delay"
                   ? KnownPlugin::QuorvelDelayVariants()
                   : std::vector<KnownPlugin::Variant>{{"plain", {}}};
    channels = "2/2";
    return true;
  }
  if (target.lv2 != nullptr) {
    variants = target.lv2->Name() == "Quorvel Delay" ? KnownPlugin::QuorvelDelayVariants()
                                                      : std::vector<KnownPlugin::Variant>{{"plain", {}}};
    channels = "2/2";
    return true;
  }
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

// Prints one table row per variant and block size.
bool BenchModule(const Target& target, const Settings& settings, std::string& error) {
  std::vector<KnownPlugin::Variant> variants;
  std::string channels;
  if (!Describe(target, variants, channels, error)) {
    return false;
  }
  for (const KnownPlugin::Variant& variant : variants) {
    for (int32_t blockSize : kBlockSizes) {
      double nanoseconds = 0.0;
      if (!Measure(target, variant, blockSize, settings, nanoseconds, error)) {
        return false;
      }
      // The real-time factor: processing time per second of audio.
      double factor = nanoseconds * kSampleRate / 1e9;
      std::printf("%-24s %-5s %-10s %5d %10.2f %12.6f %10.0fx\n", BaseName(target.path).c_str(), channels.c_str(),
                  variant.name, blockSize, nanoseconds, factor, factor > 0.0 ? 1.0 / factor : 0.0);
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
  if (!BenchModule(module, settings, error)) {
    return ToolOutput::Error("bench", error);
  }
  for (const Target& other : others) {
    if (!BenchModule(other, settings, error)) {
      return ToolOutput::Error("bench", error);
    }
  }
  if (!others.empty()) {
    std::printf("\n");
  }
  for (const Target& other : others) {
    std::printf("ratio %s / %s, plain, ns per frame:", BaseName(module.path).c_str(), BaseName(other.path).c_str());
    for (int32_t blockSize : kBlockSizes) {
      double ratio = 0.0;
      if (!PairedRatio(module, other, blockSize, settings, ratio, error)) {
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
