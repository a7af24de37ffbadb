#include "tools/quorvel-host/HostedLv2.h"

#include <lilv/lilv.h>
#include <lv2/core/lv2.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "delay/DelayParameterTable.h"
#include "host/lv2/Lv2Identity.h"
#include "tools/quorvel-host/KnownPlugin.h"
#include "tools/quorvel-host/Lv2Instance.h"
#include "tools/quorvel-host/Lv2Module.h"
#include "tools/quorvel-host/Lv2UiHost.h"
#include "tools/quorvel-host/ModuleLibrary.h"
#include "tools/quorvel-host/Lv2World.h"

namespace QuorvelHost {

namespace {

constexpr double kDefaultRate = 44100.0;

// An enumeration's scale points as texts, in the order of their values.
std::vector<std::string> ChoiceTexts(const LilvPlugin* plugin, const LilvPort* port) {
  std::vector<std::pair<float, std::string>> points;
  LilvScalePoints* scale = lilv_port_get_scale_points(plugin, port);
  LILV_FOREACH(scale_points, it, scale) {
    const LilvScalePoint* point = lilv_scale_points_get(scale, it);
    points.emplace_back(lilv_node_as_float(lilv_scale_point_get_value(point)),
                        lilv_node_as_string(lilv_scale_point_get_label(point)));
  }
  lilv_scale_points_free(scale);
  std::stable_sort(points.begin(), points.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string> texts;
  for (const auto& point : points) {
    texts.push_back(point.second);
  }
  return texts;
}

class Lv2Adapter final : public HostedPlugin {
 public:
  Lv2Adapter(std::unique_ptr<Lv2Module> module, std::unique_ptr<Lv2Instance> instance)
      : module_(std::move(module)),
        instance_(std::move(instance)),
        quorvelDelay_(module_->Uri() == VstToolkit::Lv2Identity::kPluginUri) {
    DescribePorts();
  }

  ~Lv2Adapter() override { CloseEditor(); }

  std::string Name() const override { return module_->Name(); }
  const std::vector<HostedParameter>& Parameters() const override { return parameters_; }
  int32_t ProgramCount() const override { return 0; }

  // The instance is made again for another rate: LV2 fixes the rate at instantiation.
  bool Activate(double sampleRate, int32_t, std::string& error) override {
    if (sampleRate != sampleRate_) {
      CloseEditor();
      instance_.reset();
      instance_ = Lv2Instance::Create(*module_, sampleRate, error);
      if (instance_ == nullptr) {
        return false;
      }
      sampleRate_ = sampleRate;
    }
    timeSent_ = false;
    return true;
  }

  void Deactivate() override {}  // lilv deactivates an instance as it frees it

  void SetValue(size_t index, double plain) override {
    if (index < parameters_.size()) {
      instance_->SetParameter(static_cast<int32_t>(index), static_cast<float>(plain));
      valuesPending_ = true;
    }
  }

  bool SelectProgram(int32_t, std::string& error) override {
    error = "an LV2 plug-in has no programs to select; hand over a chunk instead";
    return false;
  }

  // The plug-in reads its control ports only as it runs: a run of no frames first, so that
  // a state saved right after settings holds them.
  std::vector<uint8_t> GetState(bool) override {
    if (valuesPending_) {
      instance_->Process(nullptr, nullptr, 0);
      valuesPending_ = false;
    }
    return instance_->SaveState();
  }

  double PlainOf(size_t index, double normalized) const override {
    return quorvelDelay_ && index < static_cast<size_t>(DelayParameter::kCount)
               ? static_cast<double>(KnownPlugin::Lv2Units(static_cast<int32_t>(index), static_cast<float>(normalized)))
               : HostedPlugin::PlainOf(index, normalized);
  }

  // The ports then hold what the state does, as a host restoring a session sets them:
  // values the plug-in reads as changed would override the state as the block runs.
  bool SetState(const std::vector<uint8_t>& bytes, bool) override {
    if (!instance_->RestoreState(bytes)) {
      return false;
    }
    const std::vector<float> units = quorvelDelay_ ? KnownPlugin::Lv2UnitsOf(bytes) : std::vector<float>();
    for (size_t i = 0; i < units.size() && i < parameters_.size(); ++i) {
      instance_->SetParameter(static_cast<int32_t>(i), units[i]);
    }
    return true;
  }

  // A control port holds one value per block.
  void QueueValue(size_t index, double plain, int32_t) override { SetValue(index, plain); }

  void QueueMidi(int32_t offset, uint8_t status, uint8_t data1, uint8_t data2) override {
    const uint8_t bytes[3] = {status, data1, data2};
    instance_->AddMidi(offset, bytes, 3);
  }

  void Process(float** inputs, float** outputs, int32_t frames, const HostTransport& transport,
               int64_t songFrame) override {
    if (!timeSent_ || transport != sentTransport_) {
      SendPosition(transport, songFrame);
    }
    instance_->Process(inputs, outputs, static_cast<uint32_t>(frames));
    valuesPending_ = false;
  }

  bool OpenEditor(void* parent, double scale, std::string& error) override {
    ui_ = Lv2UiHost::Open(*instance_, error);
    if (ui_ != nullptr && !ui_->Show(reinterpret_cast<uintptr_t>(parent), static_cast<float>(scale))) {
      error = "the UI refuses to show";
      ui_.reset();
    }
    return ui_ != nullptr;
  }

  // As hosts do between blocks: what the plug-in told its notify port goes to the UI.
  void IdleEditor() override {
    if (ui_ != nullptr) {
      ui_->DeliverNotifications();
      ui_->Idle();
    }
  }

  void CloseEditor() override {
    if (ui_ != nullptr) {
      ui_->Hide();
      ui_.reset();
    }
  }

  bool TakesUnconnectedAudio() const override { return true; }
  const char* ProcessCallName() const override { return "run"; }

 private:
  void DescribePorts();
  void SendPosition(const HostTransport& transport, int64_t songFrame);

  std::unique_ptr<Lv2Module> module_;
  std::unique_ptr<Lv2Instance> instance_;
  bool quorvelDelay_;
  std::vector<HostedParameter> parameters_;
  double sampleRate_ = kDefaultRate;
  bool timeSent_ = false;
  bool valuesPending_ = false;
  HostTransport sentTransport_;
  std::unique_ptr<Lv2UiHost> ui_;
};

void Lv2Adapter::DescribePorts() {
  LilvWorld* world = module_->World().Lilv();
  const LilvPlugin* plugin = module_->World().Plugin();
  const uint32_t count = lilv_plugin_get_num_ports(plugin);
  std::vector<float> mins(count), maxs(count), defaults(count);
  lilv_plugin_get_port_ranges_float(plugin, mins.data(), maxs.data(), defaults.data());
  LilvNode* toggled = lilv_new_uri(world, LV2_CORE__toggled);
  LilvNode* enumeration = lilv_new_uri(world, LV2_CORE__enumeration);
  for (int32_t i = 0; i < instance_->ParameterCount(); ++i) {
    const uint32_t index = instance_->PortOfParameter(i);
    const LilvPort* port = lilv_plugin_get_port_by_index(plugin, index);
    HostedParameter parameter;
    parameter.id = index;
    parameter.name = instance_->ParameterName(i);
    parameter.shortName = instance_->ParameterSymbol(i);
    parameter.min = std::isfinite(mins[index]) ? mins[index] : 0.0;
    parameter.max = std::isfinite(maxs[index]) && maxs[index] > parameter.min ? maxs[index] : parameter.min + 1.0;
    parameter.defaultValue = std::isfinite(defaults[index]) ? defaults[index] : parameter.min;
    if (lilv_port_has_property(plugin, port, toggled)) {
      parameter.kind = HostedParameter::Kind::kSwitch;
    } else if (lilv_port_has_property(plugin, port, enumeration)) {
      parameter.kind = HostedParameter::Kind::kChoice;
      parameter.choices = ChoiceTexts(plugin, port);
    }
    parameters_.push_back(parameter);
  }
  lilv_node_free(toggled);
  lilv_node_free(enumeration);
}

// The position in quarter notes, as bars and beats of the signature.
void Lv2Adapter::SendPosition(const HostTransport& transport, int64_t songFrame) {
  const double beats = transport.QuarterNotesAt(songFrame, sampleRate_) * transport.denominator / 4.0;
  const double bar = std::floor(beats / transport.numerator);
  Lv2Position position;
  position.hasTempo = true;
  position.tempo = static_cast<float>(transport.tempo);
  position.hasSpeed = true;
  position.speed = transport.playing ? 1.0f : 0.0f;
  position.hasBar = true;
  position.bar = static_cast<int64_t>(bar);
  position.barBeat = static_cast<float>(beats - bar * transport.numerator);
  position.hasSignature = true;
  position.beatsPerBar = static_cast<float>(transport.numerator);
  position.beatUnit = transport.denominator;
  instance_->AddPosition(0, position);
  timeSent_ = true;
  sentTransport_ = transport;
}

}  // namespace

std::unique_ptr<HostedPlugin> HostedLv2::Open(const std::string& path, std::string& error) {
  std::unique_ptr<Lv2Module> module = Lv2Module::Open(path, error);
  std::unique_ptr<Lv2Instance> instance = module ? Lv2Instance::Create(*module, kDefaultRate, error) : nullptr;
  if (instance == nullptr) {
    return nullptr;
  }
  return std::make_unique<Lv2Adapter>(std::move(module), std::move(instance));
}

}  // namespace QuorvelHost
