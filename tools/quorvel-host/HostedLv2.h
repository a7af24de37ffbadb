#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tools/quorvel-host/HostedPlugin.h"

namespace QuorvelHost {

class Lv2Instance;
class Lv2Module;

// An LV2 bundle beneath HostedPlugin (through lilv): plain values are the control input
// ports' own, with the ranges, toggles and enumerations the bundle declares; a block's
// values are the port values it runs with, its MIDI the atom input's events, the
// transport a time:Position whenever it changes. LV2 has no programs. The instance is
// made again when activated at another rate. Linux only; elsewhere Open says so.
// Threads: as HostedPlugin.
class HostedLv2 final : public HostedPlugin {
 public:
  static std::unique_ptr<HostedPlugin> Open(const std::string& path, std::string& error);
  ~HostedLv2() override;

  std::string Name() const override;
  const std::vector<HostedParameter>& Parameters() const override { return parameters_; }
  int32_t ProgramCount() const override { return 0; }
  bool Activate(double sampleRate, int32_t maxBlock, std::string& error) override;
  void Deactivate() override {}  // lilv deactivates an instance as it frees it
  void SetValue(size_t index, double plain) override;
  bool SelectProgram(int32_t program, std::string& error) override;
  std::vector<uint8_t> GetState(bool program) override;
  bool SetState(const std::vector<uint8_t>& bytes, bool program) override;
  void QueueValue(size_t index, double plain, int32_t offset) override;
  void QueueMidi(int32_t offset, uint8_t status, uint8_t data1, uint8_t data2) override;
  void Process(float** inputs, float** outputs, int32_t frames, const HostTransport& transport,
               int64_t songFrame) override;
  bool TakesUnconnectedAudio() const override { return true; }
  const char* ProcessCallName() const override { return "run"; }

 private:
  HostedLv2() = default;
  void DescribePorts();

  std::unique_ptr<Lv2Module> module_;
  std::unique_ptr<Lv2Instance> instance_;
  std::vector<HostedParameter> parameters_;
  double sampleRate_ = 44100.0;
  bool timeSent_ = false;
  bool valuesPending_ = false;
  HostTransport sentTransport_;
};

}  // namespace QuorvelHost
