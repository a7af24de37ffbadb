#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/vst3/Vst3Processor.h"
#include "tools/quorvel-host/HostedPlugin.h"
#include "tools/quorvel-host/Vst3ParameterChanges.h"

namespace QuorvelHost {

class Vst3Instance;
class Vst3Module;

// A VST3 bundle beneath HostedPlugin: plain values are 0..stepCount (0..1 where the
// parameter is continuous) and travel normalized in the block's parameter changes; a
// program is the program-change parameter's step; a MIDI control change becomes the
// change of the parameter the plug-in's MIDI mapping names, other MIDI does not reach a
// VST3 plug-in here; the transport is the block's process context.
// Threads: as HostedPlugin.
class HostedVst3 final : public HostedPlugin {
 public:
  static std::unique_ptr<HostedPlugin> Open(const std::string& path, std::string& error);
  explicit HostedVst3(Vst3Instance& instance);
  ~HostedVst3() override;

  std::string Name() const override { return name_; }
  const std::vector<HostedParameter>& Parameters() const override { return parameters_; }
  int32_t ProgramCount() const override { return hasProgram_ ? programSteps_ + 1 : 0; }
  bool Activate(double sampleRate, int32_t maxBlock, std::string& error) override;
  void Deactivate() override;
  void SetValue(size_t index, double plain) override;
  bool SelectProgram(int32_t program, std::string& error) override;
  std::vector<uint8_t> GetState(bool program) override;
  bool SetState(const std::vector<uint8_t>& bytes, bool program) override;
  void QueueValue(size_t index, double plain, int32_t offset) override;
  void QueueMidi(int32_t offset, uint8_t status, uint8_t data1, uint8_t data2) override;
  void Process(float** inputs, float** outputs, int32_t frames, const HostTransport& transport,
               int64_t songFrame) override;
  const char* ProcessCallName() const override { return "process"; }

 private:
  static constexpr Steinberg::Vst::ParamID kUnmapped = 0xFFFFFFFFu;

  HostedVst3(std::unique_ptr<Vst3Module> module, std::unique_ptr<Vst3Instance> instance);
  double Normalized(size_t index, double plain) const;
  // A zero-frame block carrying one change: how a host sets a value outside playing.
  void Flush(Steinberg::Vst::ParamID id, double normalized);

  std::unique_ptr<Vst3Module> module_;
  std::unique_ptr<Vst3Instance> owned_;
  Vst3Instance& instance_;
  std::string name_;
  std::vector<HostedParameter> parameters_;
  std::vector<int32_t> steps_;  // each parameter's stepCount
  bool hasProgram_ = false;
  Steinberg::Vst::ParamID programId_ = 0;
  int32_t programSteps_ = 0;
  // The parameter each channel's controller drives, read from the MIDI mapping once.
  std::vector<Steinberg::Vst::ParamID> controllers_;
  double sampleRate_ = 44100.0;
  Vst3ParameterChanges changes_;
  Vst3ParameterChanges flushed_;
  Steinberg::Vst::ProcessContext context_{};
};

}  // namespace QuorvelHost
