#include "tools/quorvel-host/HostedClap.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "delay/QuorvelDelayDescription.h"
#include "host/clap/ClapExtensions.h"
#include "host/clap/ClapGui.h"
#include "tools/quorvel-host/ClapEventList.h"
#include "tools/quorvel-host/ClapInstance.h"
#include "tools/quorvel-host/ClapModule.h"

namespace QuorvelHost {

namespace {

std::string Bounded(const char* text, size_t size) {
  return std::string(text, strnlen(text, size));
}

HostedParameter Describe(const ClapInstance& instance, const clap_param_info_t& info, bool quorvelDelay) {
  HostedParameter parameter;
  parameter.id = info.id;
  parameter.name = Bounded(info.name, sizeof info.name);
  // Quorvel Delay's parameters answer to their VST2 short names too, so that one command
  // line sets the same parameters in every format.
  parameter.shortName = quorvelDelay && info.id < static_cast<clap_id>(kQuorvelDelayDescription.parameterCount)
                            ? kQuorvelDelayDescription.parameters[info.id].shortName
                            : parameter.name;
  parameter.min = std::isfinite(info.min_value) ? info.min_value : 0.0;
  parameter.max = std::isfinite(info.max_value) && info.max_value > parameter.min ? info.max_value : parameter.min;
  parameter.defaultValue = info.default_value;
  const bool stepped = (info.flags & CLAP_PARAM_IS_STEPPED) != 0;
  if ((info.flags & CLAP_PARAM_IS_BYPASS) != 0) {
    parameter.kind = HostedParameter::Kind::kBypass;
  } else if (stepped && (info.flags & CLAP_PARAM_IS_ENUM) == 0 && parameter.max - parameter.min == 1.0) {
    parameter.kind = HostedParameter::Kind::kSwitch;
  } else if (stepped) {
    parameter.kind = HostedParameter::Kind::kChoice;
    const clap_plugin_params_t* params = instance.Params();
    // Texts for a list a person reads; a longer one is counted by its range alone.
    const bool listed = parameter.max - parameter.min < 128.0 && params->value_to_text != nullptr;
    for (double value = parameter.min; listed && value <= parameter.max; value += 1.0) {
      char text[256] = {};
      params->value_to_text(&instance.Plugin(), info.id, value, text, sizeof text - 1);
      parameter.choices.push_back(text);
    }
  }
  return parameter;
}

class ClapAdapter final : public HostedPlugin {
 public:
  ClapAdapter(std::unique_ptr<ClapModule> module, std::unique_ptr<ClapInstance> instance)
      : module_(std::move(module)), instance_(std::move(instance)) {
    const clap_plugin_t& plugin = instance_->Plugin();
    const clap_plugin_params_t* params = instance_->Params();
    const bool quorvelDelay = plugin.desc != nullptr && plugin.desc->id != nullptr &&
                              std::strcmp(plugin.desc->id, "com.quorvel.delay") == 0;
    const uint32_t count = params != nullptr ? params->count(&plugin) : 0;
    for (uint32_t index = 0; index < count; ++index) {
      clap_param_info_t info{};
      if (params->get_info(&plugin, index, &info)) {
        parameters_.push_back(Describe(*instance_, info, quorvelDelay));
      }
    }
  }

  ~ClapAdapter() override { CloseEditor(); }

  std::string Name() const override {
    const clap_plugin_descriptor_t* descriptor = instance_->Plugin().desc;
    return descriptor != nullptr && descriptor->name != nullptr ? descriptor->name : "";
  }
  const std::vector<HostedParameter>& Parameters() const override { return parameters_; }
  int32_t ProgramCount() const override { return 0; }

  bool Activate(double sampleRate, int32_t maxBlock, std::string& error) override {
    sampleRate_ = sampleRate;
    if (!instance_->Start(sampleRate, maxBlock)) {
      error = "the plug-in refused to activate at " + std::to_string(sampleRate) + " Hz";
      return false;
    }
    return true;
  }

  void Deactivate() override { instance_->Stop(); }

  void SetValue(size_t index, double plain) override {
    if (index < parameters_.size()) {
      flushed_.Clear();
      flushed_.AddParameter(0, parameters_[index].id, plain);
      instance_->Flush(&flushed_);
    }
  }

  bool SelectProgram(int32_t, std::string& error) override {
    error = "a CLAP plug-in has no programs: give its state as a chunk file instead";
    return false;
  }

  std::vector<uint8_t> GetState(bool) override { return instance_->GetState(); }
  bool SetState(const std::vector<uint8_t>& bytes, bool) override { return instance_->SetState(bytes); }

  void QueueValue(size_t index, double plain, int32_t offset) override {
    if (index < parameters_.size()) {
      events_.AddParameter(static_cast<uint32_t>(offset), parameters_[index].id, plain);
    }
  }

  void QueueMidi(int32_t offset, uint8_t status, uint8_t data1, uint8_t data2) override {
    events_.AddMidi(static_cast<uint32_t>(offset), status, data1, data2);
  }

  void Process(float** inputs, float** outputs, int32_t frames, const HostTransport& transport,
               int64_t songFrame) override {
    transport_.header = {sizeof transport_, 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_TRANSPORT, 0};
    transport_.flags = CLAP_TRANSPORT_HAS_TEMPO | CLAP_TRANSPORT_HAS_BEATS_TIMELINE |
                       CLAP_TRANSPORT_HAS_TIME_SIGNATURE |
                       (transport.playing ? uint32_t{CLAP_TRANSPORT_IS_PLAYING} : 0u);
    const double beats = transport.QuarterNotesAt(songFrame, sampleRate_);
    transport_.song_pos_beats = std::llround(beats * static_cast<double>(CLAP_BEATTIME_FACTOR));
    transport_.tempo = transport.tempo;
    transport_.tsig_num = static_cast<uint16_t>(transport.numerator);
    transport_.tsig_denom = static_cast<uint16_t>(transport.denominator);
    instance_->Process(inputs, outputs, frames, events_.Empty() ? nullptr : &events_, &transport_);
    events_.Clear();
    instance_->OutputEvents().Clear();
  }

  bool OpenEditor(void* parent, double scale, std::string& error) override {
    const clap_plugin_gui_t* gui = instance_->Gui();
    const clap_plugin_t* plugin = &instance_->Plugin();
    const char* api = nullptr;
    bool floating = true;
    if (gui == nullptr || !gui->get_preferred_api(plugin, &api, &floating) || api == nullptr) {
      error = "the plug-in offers no embedded editor";
      return false;
    }
    clap_window_t window{};
    window.api = api;
    if (std::strcmp(api, CLAP_WINDOW_API_X11) == 0) {
      window.x11 = static_cast<clap_xwnd>(reinterpret_cast<uintptr_t>(parent));
    } else {
      window.ptr = parent;
    }
    guiMade_ = gui->create(plugin, api, false);
    if (guiMade_) {
      gui->set_scale(plugin, scale);  // refused by a plug-in that follows the system's scale itself
    }
    uint32_t width = 0;
    uint32_t height = 0;
    if (!guiMade_ || !gui->get_size(plugin, &width, &height) || !gui->set_parent(plugin, &window) ||
        !gui->show(plugin)) {
      error = "the editor does not show in the host's window";
      CloseEditor();
      return false;
    }
    return true;
  }

  void IdleEditor() override { instance_->FireTimersAndDescriptors(); }

  void CloseEditor() override {
    if (guiMade_) {
      instance_->Gui()->hide(&instance_->Plugin());
      instance_->Gui()->destroy(&instance_->Plugin());
      guiMade_ = false;
    }
  }

  std::string Violations() const override {
    std::string text;
    for (const std::string& violation : instance_->Host().Violations()) {
      text += (text.empty() ? "" : "; ") + violation;
    }
    return text;
  }

  const char* ProcessCallName() const override { return "clap_plugin.process"; }

 private:
  std::unique_ptr<ClapModule> module_;
  std::unique_ptr<ClapInstance> instance_;
  std::vector<HostedParameter> parameters_;
  double sampleRate_ = 44100.0;
  ClapEventList events_;
  ClapEventList flushed_;
  clap_event_transport_t transport_{};
  bool guiMade_ = false;
};

}  // namespace

std::unique_ptr<HostedPlugin> HostedClap::Open(const std::string& path, std::string& error) {
  std::unique_ptr<ClapModule> module = ClapModule::Open(path, error);
  std::unique_ptr<ClapInstance> instance = module ? ClapInstance::Create(*module, error) : nullptr;
  if (instance == nullptr) {
    return nullptr;
  }
  return std::make_unique<ClapAdapter>(std::move(module), std::move(instance));
}

}  // namespace QuorvelHost
