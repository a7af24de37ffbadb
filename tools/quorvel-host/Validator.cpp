#include "tools/quorvel-host/Validator.h"

#include <cctype>
#include <cmath>
#include <cstdio>

#include "tools/quorvel-host/BlockRunner.h"
#include "tools/quorvel-host/HostedPlugin.h"
#include "tools/quorvel-host/TestSignal.h"

namespace QuorvelHost {

namespace {

constexpr float kActiveFeedback = 0.75f;

bool LooksLikeFeedback(std::string name) {
  for (char& c : name) {
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return name == "fb" || name.find("feedback") != std::string::npos || name.find("fdbk") != std::string::npos;
}

}  // namespace

Validator::Validator(std::string path, std::vector<uint8_t> startBank)
    : path_(std::move(path)), startBank_(std::move(startBank)) {}

std::unique_ptr<HostedPlugin> Validator::NewHosted(const std::string& check, double sampleRate,
                                                   int32_t blockSize) {
  std::string error;
  std::unique_ptr<HostedPlugin> plugin = HostedPlugin::Open(path_, error);
  if (plugin == nullptr || !plugin->Activate(sampleRate, blockSize, error)) {
    breaches_.clear();  // the check ends here, and what it gathered with it
    Fail(check, error);
    return nullptr;
  }
  if (!startBank_.empty()) {
    plugin->SetState(startBank_, false);
  }
  return plugin;
}

void Validator::ApplyActiveSettings(HostedPlugin& plugin) {
  for (size_t i = 0; i < plugin.Parameters().size(); ++i) {
    const HostedParameter& parameter = plugin.Parameters()[i];
    if (LooksLikeFeedback(parameter.shortName) || LooksLikeFeedback(parameter.name)) {
      plugin.SetNormalized(i, kActiveFeedback);
    }
  }
}

void Validator::ApplyRandomSettings(HostedPlugin& plugin, uint32_t seed) {
  uint32_t state = seed * 2654435761u + 12345u;
  for (size_t i = 0; i < plugin.Parameters().size(); ++i) {
    state = state * 1664525u + 1013904223u;
    plugin.SetNormalized(i, static_cast<double>(static_cast<float>(state >> 8) / 16777216.0f));
  }
}

ChannelBuffers Validator::Signal(const HostedPlugin& plugin, double sampleRate, double seconds,
                                 double silence, uint32_t seed) {
  auto loud = static_cast<int64_t>(std::llround(seconds * sampleRate));
  auto total = loud + static_cast<int64_t>(std::llround(silence * sampleRate));
  ChannelBuffers buffers(plugin.InputCount(), total);
  TestSignal::Noise(buffers, seed, 0.5f, 0, loud);
  return buffers;
}

ChannelBuffers Validator::Process(HostedPlugin& plugin, ChannelBuffers& input, int32_t blockSize,
                                  bool playing) {
  ChannelBuffers output(plugin.OutputCount(), input.Frames());
  BlockRunner runner(plugin, blockSize);
  runner.Transport().playing = playing;
  runner.Run(input, output);
  return output;
}

ChannelBuffers Validator::Sound(HostedPlugin& plugin, double sampleRate, int32_t blockSize) {
  ChannelBuffers input = Signal(plugin, sampleRate, 1.0, 0.5);
  return Process(plugin, input, blockSize);
}

void Validator::Report(const std::string& check, bool passed, const std::string& detail) {
  const std::string breaches = std::move(breaches_);
  breaches_.clear();
  const std::string& shown = breaches.empty() ? detail : breaches;
  passed = passed && breaches.empty();
  ++(passed ? counts_.passed : counts_.failed);
  std::printf("%s  %s%s%s\n", passed ? "pass" : "FAIL", check.c_str(), shown.empty() ? "" : ": ",
              shown.c_str());
  std::fflush(stdout);
}

void Validator::Gather(const HostedPlugin& plugin) {
  const std::string violations = plugin.Violations();
  breaches_ += (breaches_.empty() || violations.empty() ? "" : "; ") + violations;
}

void Validator::Report(const std::string& check, const HostedPlugin& plugin, bool passed,
                       const std::string& detail) {
  Gather(plugin);
  Report(check, passed, detail);
}

void Validator::Skip(const std::string& check, const std::string& reason) {
  ++counts_.skipped;
  std::printf("skip  %s: %s\n", check.c_str(), reason.c_str());
  std::fflush(stdout);
}

void Validator::PrintSummary() const {
  std::printf("%d passed, %d failed, %d skipped\n", counts_.passed, counts_.failed, counts_.skipped);
}

}  // namespace QuorvelHost
