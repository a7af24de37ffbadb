#include "tools/quorvel-host/HostedVst2.h"

#include <vector>

#include "tools/quorvel-host/EventList.h"
#include "tools/quorvel-host/KnownPlugin.h"
#include "tools/quorvel-host/PluginInstance.h"
#include "tools/quorvel-host/PluginModule.h"

namespace QuorvelHost {

namespace {

class Vst2Adapter final : public HostedPlugin {
 public:
  Vst2Adapter(PluginInstance& instance, std::unique_ptr<PluginModule> module = nullptr,
              std::unique_ptr<PluginInstance> owned = nullptr)
      : module_(std::move(module)), owned_(std::move(owned)), instance_(instance), opened_(owned_ == nullptr) {
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

  ~Vst2Adapter() override {
    CloseEditor();
    if (owned_ != nullptr) {
      owned_->SetMains(false);
      owned_->Close();
    }
  }

  std::string Name() const override { return instance_.GetText(effGetEffectName); }
  const std::vector<HostedParameter>& Parameters() const override { return parameters_; }
  int32_t ProgramCount() const override { return instance_.ProgramCount(); }
  int32_t InputCount() const override { return instance_.InputCount(); }
  int32_t OutputCount() const override { return instance_.OutputCount(); }

  // effOpen once in an instance's life (a borrowed one has had it), then rate, block size
  // and switched on, as hosts start a plug-in again at another rate.
  bool Activate(double sampleRate, int32_t maxBlock, std::string&) override {
    if (!opened_) {
      instance_.Dispatch(effOpen);
      opened_ = true;
    }
    instance_.SetSampleRate(sampleRate);
    instance_.SetBlockSize(maxBlock);
    instance_.SetMains(true);
    return true;
  }

  void Deactivate() override { instance_.SetMains(false); }

  void SetValue(size_t index, double plain) override {
    instance_.SetParameter(static_cast<int32_t>(index), static_cast<float>(plain));
  }

  bool SelectProgram(int32_t program, std::string& error) override {
    if (program < 0 || program >= instance_.ProgramCount()) {
      error = "program '" + std::to_string(program) + "' is not a number from 0 to " +
              std::to_string(instance_.ProgramCount() - 1);
      return false;
    }
    instance_.SetProgram(program);
    return true;
  }

  std::vector<uint8_t> GetState(bool program) override { return instance_.GetChunk(program); }

  bool SetState(const std::vector<uint8_t>& bytes, bool program) override {
    return instance_.HasFlag(effFlagsProgramChunks) && instance_.SetChunk(bytes, program);
  }

  // VST2 automation has no frame: a value takes effect for the whole next block.
  void QueueValue(size_t index, double plain, int32_t) override { SetValue(index, plain); }

  void QueueMidi(int32_t offset, uint8_t status, uint8_t data1, uint8_t data2) override {
    events_.AddMidi(offset, status, data1, data2);
  }

  void DeliverEvents() override {
    if (events_.Count() > 0) {
      instance_.SendEvents(events_.Events());
    }
  }

  void Process(float** inputs, float** outputs, int32_t frames, const HostTransport& transport,
               int64_t songFrame) override {
    HostCallback& host = instance_.Host();
    host.SetTempo(transport.tempo);
    host.SetPlaying(transport.playing);
    host.SetStartPosition(transport.startPosition);
    host.SetTimeSignature(transport.numerator, transport.denominator);
    host.SetSamplePosition(songFrame);
    instance_.Process(inputs, outputs, frames);
    events_.Clear();
  }

  // VST2 has no scale a host could hand over.
  bool OpenEditor(void* parent, double, std::string& error) override {
    if (!instance_.HasFlag(effFlagsHasEditor)) {
      error = "the module has no editor";
      return false;
    }
    ERect* rect = nullptr;
    instance_.Dispatch(effEditGetRect, 0, 0, &rect);  // hosts ask the size first
    instance_.Dispatch(effEditOpen, 0, 0, parent);
    editorOpen_ = true;
    return true;
  }

  void IdleEditor() override {
    if (editorOpen_) {
      instance_.Dispatch(effEditIdle);
    }
  }

  void CloseEditor() override {
    if (editorOpen_) {
      instance_.Dispatch(effEditClose);
      editorOpen_ = false;
    }
  }

  const char* ProcessCallName() const override { return "processReplacing"; }
  const char* EventsCallName() const override { return "processEvents"; }

 private:
  std::unique_ptr<PluginModule> module_;
  std::unique_ptr<PluginInstance> owned_;
  PluginInstance& instance_;
  bool opened_;
  bool editorOpen_ = false;
  std::vector<HostedParameter> parameters_;
  EventList events_;
};

}  // namespace

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
  PluginInstance& borrowed = *instance;
  return std::make_unique<Vst2Adapter>(borrowed, std::move(module), std::move(instance));
}

std::unique_ptr<HostedPlugin> HostedVst2::Borrow(PluginInstance& instance) {
  return std::make_unique<Vst2Adapter>(instance);
}

}  // namespace QuorvelHost
