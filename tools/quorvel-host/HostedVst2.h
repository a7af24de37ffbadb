#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tools/quorvel-host/EventList.h"
#include "tools/quorvel-host/HostedPlugin.h"

namespace QuorvelHost {

class PluginInstance;
class PluginModule;

// A VST2 module beneath HostedPlugin: values are the normalized values VST2 knows, the
// events go over in effProcessEvents before processReplacing, the transport is what the
// host callback answers for audioMasterGetTime. Either owns its instance (Open) or drives
// one a check made (the borrowing constructor).
// Threads: as HostedPlugin.
class HostedVst2 final : public HostedPlugin {
 public:
  static std::unique_ptr<HostedPlugin> Open(const std::string& path, std::string& error);
  explicit HostedVst2(PluginInstance& instance);
  ~HostedVst2() override;

  PluginInstance& Instance() { return instance_; }

  std::string Name() const override;
  const std::vector<HostedParameter>& Parameters() const override { return parameters_; }
  int32_t ProgramCount() const override;
  int32_t InputCount() const override;
  int32_t OutputCount() const override;
  bool Activate(double sampleRate, int32_t maxBlock, std::string& error) override;
  void Deactivate() override;
  void SetValue(size_t index, double plain) override;
  bool SelectProgram(int32_t program, std::string& error) override;
  std::vector<uint8_t> GetState(bool program) override;
  bool SetState(const std::vector<uint8_t>& bytes, bool program) override;
  void QueueValue(size_t index, double plain, int32_t offset) override;
  void QueueMidi(int32_t offset, uint8_t status, uint8_t data1, uint8_t data2) override;
  void DeliverEvents() override;
  void Process(float** inputs, float** outputs, int32_t frames, const HostTransport& transport,
               int64_t songFrame) override;
  const char* ProcessCallName() const override { return "processReplacing"; }
  const char* EventsCallName() const override { return "processEvents"; }

 private:
  HostedVst2(std::unique_ptr<PluginModule> module, std::unique_ptr<PluginInstance> instance);

  std::unique_ptr<PluginModule> module_;
  std::unique_ptr<PluginInstance> owned_;
  PluginInstance& instance_;
  std::vector<HostedParameter> parameters_;
  EventList events_;
};

}  // namespace QuorvelHost
