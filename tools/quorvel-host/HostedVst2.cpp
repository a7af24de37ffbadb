#include "tools/quorvel-host/HostedVst2.h"

#include "tools/quorvel-host/KnownPlugin.h"
#include "tools/quorvel-host/PluginInstance.h"
#include "tools/quorvel-host/PluginModule.h"

namespace QuorvelHost {

std::unique_ptr<HostedPlugin> HostedVst2::Open(const std::string& path, std::string& error) {
  std::unique_ptr<PluginModule> module = PluginModule::Open(path, error);
  std::unique_ptr<PluginInstance> instance = module ? module->CreateInstance(error) : nullptr;
  if (instance == nullptr) {
    return nullptr;
  }
  if (!instance->CanProcessReplacing()) {
    error = "module " + path + " offers no replacing processing";
    return nullptr;
  }
  return std::unique_ptr<HostedPlugin>(new HostedVst2(std::move(module), std::move(instance)));
}

HostedVst2::HostedVst2(std::unique_ptr<PluginModule> module, std::unique_ptr<PluginInstance> instance)
    : HostedVst2(*instance) {
  module_ = std::move(module);
  owned_ = std::move(instance);
}

// VST2 has no kinds of parameters a host could rely on: every one is a value from 0 to 1.
HostedVst2::HostedVst2(PluginInstance& instance) : instance_(instance) {
  for (int32_t i = 0; i < instance_.ParameterCount(); ++i) {
    HostedParameter parameter;
    parameter.id = static_cast<uint32_t>(i);
    parameter.shortName = instance_.ParameterName(i);
    parameter.unit = instance_.ParameterLabel(i);
    parameter.defaultValue = static_cast<double>(instance_.GetParameter(i));
    VstParameterProperties properties{};
    if (instance_.Dispatch(effGetParameterProperties, i, 0, &properties) != 0) {
      properties.label[sizeof(properties.label) - 1] = '\0';
      parameter.name = properties.label;
    }
    if (parameter.name.empty()) {
      parameter.name = KnownPlugin::LongParameterName(instance_, i);
    }
    parameters_.push_back(parameter);
  }
}

HostedVst2::~HostedVst2() {
  if (owned_ != nullptr) {
    owned_->SetMains(false);
    owned_->Close();
  }
}

std::string HostedVst2::Name() const {
  return instance_.GetText(effGetEffectName);
}

int32_t HostedVst2::ProgramCount() const {
  return instance_.ProgramCount();
}

int32_t HostedVst2::InputCount() const {
  return instance_.InputCount();
}

int32_t HostedVst2::OutputCount() const {
  return instance_.OutputCount();
}

bool HostedVst2::Activate(double sampleRate, int32_t maxBlock, std::string&) {
  instance_.Start(sampleRate, maxBlock);
  return true;
}

void HostedVst2::Deactivate() {
  instance_.SetMains(false);
}

void HostedVst2::SetValue(size_t index, double plain) {
  instance_.SetParameter(static_cast<int32_t>(index), static_cast<float>(plain));
}

bool HostedVst2::SelectProgram(int32_t program, std::string& error) {
  if (program < 0 || program >= instance_.ProgramCount()) {
    error = "program '" + std::to_string(program) + "' is not a number from 0 to " +
            std::to_string(instance_.ProgramCount() - 1);
    return false;
  }
  instance_.SetProgram(program);
  return true;
}

std::vector<uint8_t> HostedVst2::GetState(bool program) {
  return instance_.GetChunk(program);
}

bool HostedVst2::SetState(const std::vector<uint8_t>& bytes, bool program) {
  return instance_.HasFlag(effFlagsProgramChunks) && instance_.SetChunk(bytes, program);
}

// VST2 automation has no frame: a value takes effect for the whole next block.
void HostedVst2::QueueValue(size_t index, double plain, int32_t) {
  SetValue(index, plain);
}

void HostedVst2::QueueMidi(int32_t offset, uint8_t status, uint8_t data1, uint8_t data2) {
  events_.AddMidi(offset, status, data1, data2);
}

void HostedVst2::DeliverEvents() {
  if (events_.Count() > 0) {
    instance_.SendEvents(events_.Events());
  }
}

void HostedVst2::Process(float** inputs, float** outputs, int32_t frames, const HostTransport& transport,
                         int64_t songFrame) {
  HostCallback& host = instance_.Host();
  host.SetTempo(transport.tempo);
  host.SetPlaying(transport.playing);
  host.SetStartPosition(transport.startPosition);
  host.SetTimeSignature(transport.numerator, transport.denominator);
  host.SetSamplePosition(songFrame);
  instance_.Process(inputs, outputs, frames);
  events_.Clear();
}

}  // namespace QuorvelHost
