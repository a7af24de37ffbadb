#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/clap/ClapEvents.h"
#include "tools/quorvel-host/ClapEventList.h"
#include "tools/quorvel-host/HostedPlugin.h"

namespace QuorvelHost {

class ClapInstance;
class ClapModule;

// A CLAP module beneath HostedPlugin: plain values are the parameter's own (its min to
// max), settings go through params.flush, a block's values and MIDI are its input events,
// the transport its transport event. The instance keeps its strict thread checks; CLAP has
// no programs.
// Threads: as HostedPlugin (the thread that opens it is the plug-in's main thread).
class HostedClap final : public HostedPlugin {
 public:
  static std::unique_ptr<HostedPlugin> Open(const std::string& path, std::string& error);
  explicit HostedClap(ClapInstance& instance);
  ~HostedClap() override;

  std::string Name() const override;
  const std::vector<HostedParameter>& Parameters() const override { return parameters_; }
  int32_t ProgramCount() const override { return 0; }
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
  const char* ProcessCallName() const override { return "clap_plugin.process"; }

 private:
  HostedClap(std::unique_ptr<ClapModule> module, std::unique_ptr<ClapInstance> instance);

  std::unique_ptr<ClapModule> module_;
  std::unique_ptr<ClapInstance> owned_;
  ClapInstance& instance_;
  std::vector<HostedParameter> parameters_;
  double sampleRate_ = 44100.0;
  ClapEventList events_;
  ClapEventList flushed_;
  clap_event_transport_t transport_{};
};

}  // namespace QuorvelHost
