#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tools/audio-buffers/ChannelBuffers.h"

namespace QuorvelHost {

class HostedPlugin;

// The frame of the validate battery: makes instances the way the checks need
// them, runs signals through them, and prints one line per check.
class Validator final {
 public:
  static constexpr double kSampleRate = 44100.0;
  static constexpr int32_t kBlockSize = 512;
  // Outputs that should be the same may differ by this much: anti-denormal
  // offsets that alternate per call differ between block sizes.
  static constexpr double kEqualWithin = 1e-9;

  Validator(std::string path, std::vector<uint8_t> startBank);

  const std::string& Path() const { return path_; }

  // The same as the adapter `Format` (the module's own) for `check`; null, with the check
  // failed for the module's reason, when the module makes none.
  template <class Format = HostedPlugin>
  std::unique_ptr<Format> New(const std::string& check, double sampleRate = kSampleRate,
                              int32_t blockSize = kBlockSize) {
    return std::unique_ptr<Format>(static_cast<Format*>(NewHosted(check, sampleRate, blockSize).release()));
  }

  // Settings that make an effect work hard: its defaults with any parameter
  // that looks like a feedback control raised, so that echoes decay slowly.
  static void ApplyActiveSettings(HostedPlugin& plugin);
  // Every parameter set to a value drawn from `seed`.
  static void ApplyRandomSettings(HostedPlugin& plugin, uint32_t seed);
  // Noise of `seconds` (seeded) followed by `silence` seconds, shaped for the plug-in's inputs.
  static ChannelBuffers Signal(const HostedPlugin& plugin, double sampleRate, double seconds, double silence,
                               uint32_t seed = 1);
  // `input` through the plug-in in blocks of `blockSize` (the size it was activated with,
  // or less); the output buffers.
  static ChannelBuffers Process(HostedPlugin& plugin, ChannelBuffers& input, int32_t blockSize = kBlockSize,
                                bool playing = true);
  // What the plug-in makes of a second of noise and half a second of silence.
  static ChannelBuffers Sound(HostedPlugin& plugin, double sampleRate = kSampleRate,
                              int32_t blockSize = kBlockSize);

  void Fail(const std::string& check, const std::string& detail) { Report(check, false, detail); }
  void Skip(const std::string& check, const std::string& reason);
  // Fails also on the breaches of their format's thread rules gathered from the instances
  // the check made; the second form gathers `plugin`'s first.
  void Report(const std::string& check, bool passed, const std::string& detail);
  void Report(const std::string& check, const HostedPlugin& plugin, bool passed, const std::string& detail);
  void Gather(const HostedPlugin& plugin);

  // Runs one group of checks where a crashing plug-in cannot take the tool with it: in a
  // child process where the platform has fork (CheckIsolationFork.cpp), inline elsewhere.
  // A crash fails the group with a line of its own.
  void RunGroup(const char* name, void (*group)(Validator&));

  int Failures() const { return counts_.failed; }
  void PrintSummary() const;

 private:
  // An instance of any format, active and holding the start bank; null, with `check` failed
  // for the module's reason, when the module fails to make one.
  std::unique_ptr<HostedPlugin> NewHosted(const std::string& check, double sampleRate, int32_t blockSize);

  // Plain numbers, so that a group run in a child process can send them back whole.
  struct Counts {
    int passed = 0;
    int failed = 0;
    int skipped = 0;
  };

  std::string path_;
  std::vector<uint8_t> startBank_;
  std::string breaches_;
  Counts counts_;
};

}  // namespace QuorvelHost
