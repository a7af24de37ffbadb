#include "tools/quorvel-host/Lv2ValidateCommand.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

#include "tools/quorvel-host/ChannelBuffers.h"
#include "tools/quorvel-host/Lv2BlockRunner.h"
#include "tools/quorvel-host/Lv2Instance.h"
#include "tools/quorvel-host/Lv2Module.h"
#include "tools/quorvel-host/TestSignal.h"
#include "tools/quorvel-host/ToolOutput.h"

namespace QuorvelHost {

namespace {

constexpr double kRate = 44100.0;
constexpr int64_t kFrames = 44100;

class Battery {
 public:
  Battery(const Lv2Module& module, std::vector<uint8_t> bank) : module_(module), bank_(std::move(bank)) {}

  void Report(const char* check, bool passed, const std::string& detail) {
    std::printf("  %s  %s%s%s\n", passed ? "pass" : "FAIL", check, detail.empty() ? "" : ": ", detail.c_str());
    (passed ? passed_ : failed_)++;
  }

  // A runner at `rate` holding the start bank; null (the check failed) where none is made.
  std::unique_ptr<Lv2BlockRunner> Make(const char* check, double rate = kRate, int32_t block = 512) {
    std::string error;
    std::unique_ptr<Lv2BlockRunner> runner = Lv2BlockRunner::Create(module_, rate, block, error);
    if (runner != nullptr && !bank_.empty() && !runner->Instance().RestoreState(bank_)) {
      error = "the plug-in refused the bank";
      runner.reset();
    }
    if (runner == nullptr) {
      Report(check, false, error);
    }
    return runner;
  }

  static ChannelBuffers Sound(Lv2BlockRunner& runner) {
    ChannelBuffers input(2, kFrames);
    TestSignal::Noise(input, 5, 0.5f, 0, kFrames / 2);
    ChannelBuffers output(2, kFrames);
    runner.Run(input, output);
    return output;
  }

  void Run() {
    for (double rate : {44100.0, 48000.0, 96000.0}) {
      const std::string check = "instance at " + std::to_string(static_cast<int>(rate)) + " Hz makes finite sound";
      std::unique_ptr<Lv2BlockRunner> runner = Make(check.c_str(), rate);
      if (runner != nullptr) {
        const ChannelBuffers output = Sound(*runner);
        bool finite = true;
        for (int32_t c = 0; c < 2; ++c) {
          for (int64_t i = 0; i < output.Frames(); ++i) {
            finite = finite && std::isfinite(output.Channel(c)[i]);
          }
        }
        Report(check.c_str(), finite, finite ? "" : "a sample is not finite");
      }
    }
    std::unique_ptr<Lv2BlockRunner> big = Make("block sizes");
    std::unique_ptr<Lv2BlockRunner> small = Make("block sizes", kRate, 37);
    if (big != nullptr && small != nullptr) {
      const double difference = Sound(*big).LargestDifference(Sound(*small));
      Report("the same sound in blocks of 512 and 37", difference <= 1e-9, "largest difference " + std::to_string(difference));
    }
    InPlace();
    std::unique_ptr<Lv2BlockRunner> flush = Make("runs without audio");
    if (flush != nullptr) {
      flush->Instance().Process(nullptr, nullptr, 0);
      flush->Instance().Process(nullptr, nullptr, 64);
      Report("runs of no frames and with unconnected audio", true, "");
    }
    RoundTrip();
    Refusal();
  }

  // LV2 hosts may give an audio input and output the same buffer.
  void InPlace() {
    const char* check = "the same sound with the outputs in the inputs' buffers";
    std::unique_ptr<Lv2BlockRunner> apart = Make(check);
    std::unique_ptr<Lv2BlockRunner> shared = Make(check);
    if (apart == nullptr || shared == nullptr) {
      return;
    }
    const ChannelBuffers expected = Sound(*apart);
    ChannelBuffers buffers(2, kFrames);
    TestSignal::Noise(buffers, 5, 0.5f, 0, kFrames / 2);
    for (int64_t first = 0; first < kFrames; first += 512) {
      const auto frames = static_cast<uint32_t>(std::min<int64_t>(512, kFrames - first));
      float** channels = buffers.At(first);
      shared->Instance().Process(channels, channels, frames);
    }
    const double difference = buffers.LargestDifference(expected);
    Report(check, difference == 0.0, difference == 0.0 ? "" : "largest difference " + std::to_string(difference));
  }

  void RoundTrip() {
    const char* check = "state round trip into a fresh instance";
    std::unique_ptr<Lv2BlockRunner> original = Make(check);
    std::unique_ptr<Lv2BlockRunner> copy = Make(check);
    if (original == nullptr || copy == nullptr) {
      return;
    }
    Lv2Instance& instance = original->Instance();
    for (int32_t i = 0; i < instance.ParameterCount(); ++i) {
      const float low = instance.ParameterMinimum(i);
      const float high = instance.ParameterMaximum(i);
      const float share = static_cast<float>((i * 37) % 100) / 100.0f;
      instance.SetParameter(i, std::isfinite(low) && std::isfinite(high) ? low + share * (high - low) : share);
      // As a host restores a session: the ports' values beside the plug-in's state.
      copy->Instance().SetParameter(i, instance.Parameter(i));
    }
    instance.Process(nullptr, nullptr, 0);
    const std::vector<uint8_t> saved = instance.SaveState();
    const bool restored = !saved.empty() && copy->Instance().RestoreState(saved);
    const bool same = restored && copy->Instance().SaveState() == saved;
    const bool sound = same && Sound(*original).LargestDifference(Sound(*copy)) == 0.0;
    Report(check, sound, !restored ? "refused" : (!same ? "other bytes saved back" : (sound ? "" : "other sound")));
  }

  void Refusal() {
    const char* check = "a state of other bytes is refused and changes nothing";
    std::unique_ptr<Lv2BlockRunner> runner = Make(check);
    if (runner == nullptr) {
      return;
    }
    const std::vector<uint8_t> before = runner->Instance().SaveState();
    const std::vector<uint8_t> garbage(before.size() + 3, 0x5A);
    const bool refused = !runner->Instance().RestoreState(garbage);
    Report(check, refused && runner->Instance().SaveState() == before, refused ? "" : "accepted");
  }

  int Failed() const { return failed_; }
  void Summary() const { std::printf("%d passed, %d failed\n", passed_, failed_); }

 private:
  const Lv2Module& module_;
  std::vector<uint8_t> bank_;
  int passed_ = 0;
  int failed_ = 0;
};

}  // namespace

int Lv2ValidateCommand::Run(const std::string& path, const std::vector<uint8_t>& bank) {
  std::string error;
  std::unique_ptr<Lv2Module> module = Lv2Module::Open(path, error);
  if (module == nullptr) {
    return ToolOutput::Error("validate", error);
  }
  std::printf("validating %s (%s)\n", path.c_str(), module->Uri().c_str());
  Battery battery(*module, bank);
  battery.Run();
  battery.Summary();
  return battery.Failed() == 0 ? ToolOutput::kSuccess : ToolOutput::kFailure;
}

}  // namespace QuorvelHost
