#include "tools/quorvel-host/HostedLv2.h"

#include <lilv/lilv.h>
#include <lv2/atom/atom.h>
#include <lv2/core/lv2.h>
#include <lv2/midi/midi.h>
#include <lv2/state/state.h>
#include <lv2/time/time.h>

#include <cmath>
#include <map>
#include <utility>
#include <vector>

#include "delay/DelayParameterTable.h"
#include "host/lv2/Lv2Identity.h"
#include "tools/quorvel-host/KnownPlugin.h"
#include "tools/quorvel-host/Lv2Sequences.h"
#include "tools/quorvel-host/Lv2UiHost.h"
#include "tools/quorvel-host/Lv2World.h"
#include "tools/quorvel-host/ModuleLibrary.h"

namespace QuorvelHost {

namespace {

constexpr double kDefaultRate = 44100.0;

// Nodes made for a look-up and freed with it.
struct NodeFree {
  void operator()(LilvNode* node) const { lilv_node_free(node); }
};
using Node = std::unique_ptr<LilvNode, NodeFree>;

// An enumeration's scale points as texts, in the order of their values.
std::vector<std::string> ChoiceTexts(const LilvPlugin* plugin, const LilvPort* port) {
  std::multimap<float, std::string> points;
  LilvScalePoints* scale = lilv_port_get_scale_points(plugin, port);
  LILV_FOREACH (scale_points, it, scale) {
    const LilvScalePoint* point = lilv_scale_points_get(scale, it);
    points.emplace(lilv_node_as_float(lilv_scale_point_get_value(point)),
                   lilv_node_as_string(lilv_scale_point_get_label(point)));
  }
  lilv_scale_points_free(scale);
  std::vector<std::string> texts;
  for (const auto& point : points) {
    texts.push_back(point.second);
  }
  return texts;
}

// The property a state save hands over, or that a restore reads.
struct StateRecord {
  LV2_URID key = 0;
  std::vector<uint8_t> bytes;
  LV2_URID type = 0;
};

LV2_State_Status Store(LV2_State_Handle handle, uint32_t key, const void* value, size_t size, uint32_t type, uint32_t) {
  auto* record = static_cast<StateRecord*>(handle);
  record->key = key;
  const auto* bytes = static_cast<const uint8_t*>(value);
  record->bytes.assign(bytes, bytes + size);
  record->type = type;
  return LV2_STATE_SUCCESS;
}

const void* Retrieve(LV2_State_Handle handle, uint32_t key, size_t* size, uint32_t* type, uint32_t* flags) {
  auto* record = static_cast<StateRecord*>(handle);
  if (key != record->key) {
    return nullptr;
  }
  *size = record->bytes.size();
  *type = record->type;
  *flags = LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE;
  return record->bytes.data();
}

// The instance's state interface once it saved into `record`; null where it has none or failed.
const LV2_State_Interface* Save(LilvInstance* instance, const LV2_Feature* const* features, StateRecord& record) {
  const auto* state =
      static_cast<const LV2_State_Interface*>(lilv_instance_get_extension_data(instance, LV2_STATE__interface));
  return state != nullptr &&
                 state->save(lilv_instance_get_handle(instance), Store, &record, 0, features) == LV2_STATE_SUCCESS
             ? state
             : nullptr;
}

}  // namespace

std::unique_ptr<HostedPlugin> HostedLv2::Open(const std::string& path, std::string& error) {
  return OpenBundle(path, error);
}

std::unique_ptr<HostedLv2> HostedLv2::OpenBundle(const std::string& path, std::string& error) {
  std::unique_ptr<Lv2Module> module = Lv2Module::Open(path, error);
  if (module == nullptr) {
    return nullptr;
  }
  std::unique_ptr<HostedLv2> plugin(new HostedLv2(std::move(module)));
  if (!plugin->ReadPorts(error) || !plugin->Instantiate(kDefaultRate, error)) {
    return nullptr;
  }
  return plugin;
}

HostedLv2::HostedLv2(std::unique_ptr<Lv2Module> module)
    : module_(std::move(module)),
      sequences_(std::make_unique<Lv2Sequences>(module_->World())),
      quorvelDelay_(module_->Uri() == VstToolkit::Lv2Identity::kPluginUri) {}

HostedLv2::~HostedLv2() {
  CloseEditor();
  if (instance_ != nullptr) {
    lilv_instance_deactivate(instance_);
    lilv_instance_free(instance_);
  }
}

// The audio, control and atom ports, the control inputs described as parameters.
bool HostedLv2::ReadPorts(std::string& error) {
  const LilvPlugin* plugin = Plugin();
  LilvWorld* lilv = World().Lilv();
  const auto uri = [lilv](const char* name) { return Node(lilv_new_uri(lilv, name)); };
  const Node input = uri(LV2_CORE__InputPort);
  const Node audio = uri(LV2_CORE__AudioPort);
  const Node control = uri(LV2_CORE__ControlPort);
  const Node atom = uri(LV2_ATOM__AtomPort);
  const Node toggled = uri(LV2_CORE__toggled);
  const Node enumeration = uri(LV2_CORE__enumeration);
  // As Lv2Sequences::Input.
  const Node events[Lv2Sequences::kInputs] = {uri(LV2_MIDI__MidiEvent), uri(LV2_TIME__Position), uri(LV2_ATOM__Chunk)};
  const uint32_t count = lilv_plugin_get_num_ports(plugin);
  std::vector<float> mins(count), maxs(count);
  values_.resize(count);
  lilv_plugin_get_port_ranges_float(plugin, mins.data(), maxs.data(), values_.data());
  int audioIns = 0;
  int audioOuts = 0;
  for (uint32_t p = 0; p < count; ++p) {
    const LilvPort* port = lilv_plugin_get_port_by_index(plugin, p);
    const bool isInput = lilv_port_is_a(plugin, port, input.get());
    if (lilv_port_is_a(plugin, port, audio.get())) {
      if (isInput && audioIns < 2) {
        audioIn_[audioIns++] = p;
      } else if (!isInput && audioOuts < 2) {
        audioOut_[audioOuts++] = p;
      }
    } else if (lilv_port_is_a(plugin, port, control.get())) {
      controlPorts_.push_back(p);
      if (!isInput) {
        continue;
      }
      HostedParameter parameter;
      parameter.id = p;
      const Node name(lilv_port_get_name(plugin, port));
      parameter.name = name != nullptr ? lilv_node_as_string(name.get()) : "";
      parameter.shortName = lilv_node_as_string(lilv_port_get_symbol(plugin, port));
      parameter.min = std::isfinite(mins[p]) ? mins[p] : 0.0;
      parameter.max = std::isfinite(maxs[p]) && maxs[p] > parameter.min ? maxs[p] : parameter.min + 1.0;
      parameter.defaultValue = std::isfinite(values_[p]) ? values_[p] : parameter.min;
      if (lilv_port_has_property(plugin, port, toggled.get())) {
        parameter.kind = HostedParameter::Kind::kSwitch;
      } else if (lilv_port_has_property(plugin, port, enumeration.get())) {
        parameter.kind = HostedParameter::Kind::kChoice;
        parameter.choices = ChoiceTexts(plugin, port);
      }
      parameters_.push_back(parameter);
    } else if (lilv_port_is_a(plugin, port, atom.get()) && isInput) {
      for (int kind = 0; kind < Lv2Sequences::kInputs; ++kind) {
        if (lilv_port_supports_event(plugin, port, events[kind].get()) &&
            sequences_->Claim(static_cast<Lv2Sequences::Input>(kind), p)) {
          break;
        }
      }
    } else if (lilv_port_is_a(plugin, port, atom.get())) {
      sequences_->SetNotifyPort(p);
    }
  }
  if (audioIns != 2 || audioOuts != 2) {
    error = "plug-in " + module_->Uri() + " has no stereo audio ports";
    return false;
  }
  return true;
}

// A fresh instance, its control inputs at their defaults, as a new one a host makes.
bool HostedLv2::Instantiate(double sampleRate, std::string& error) {
  CloseEditor();
  if (instance_ != nullptr) {
    lilv_instance_deactivate(instance_);
    lilv_instance_free(instance_);
  }
  instance_ = lilv_plugin_instantiate(Plugin(), sampleRate, World().Features());
  if (instance_ == nullptr) {
    error = "plug-in " + module_->Uri() + " made no instance at " + std::to_string(sampleRate) + " Hz";
    return false;
  }
  sampleRate_ = sampleRate;
  lilv_plugin_get_port_ranges_float(Plugin(), nullptr, nullptr, values_.data());
  for (uint32_t port : controlPorts_) {
    lilv_instance_connect_port(instance_, port, &values_[port]);
  }
  sequences_->Connect(instance_);
  lilv_instance_activate(instance_);
  return true;
}

const LilvPlugin* HostedLv2::Plugin() const {
  return module_->World().Plugin();
}

bool HostedLv2::Activate(double sampleRate, int32_t, std::string& error) {
  if (sampleRate != sampleRate_ && !Instantiate(sampleRate, error)) {
    return false;
  }
  timeSent_ = false;
  return true;
}

void HostedLv2::SetValue(size_t index, double plain) {
  if (index < parameters_.size()) {
    values_[parameters_[index].id] = static_cast<float>(plain);
    valuesPending_ = true;
  }
}

double HostedLv2::PlainOf(size_t index, double normalized) const {
  return quorvelDelay_ && index < static_cast<size_t>(DelayParameter::kCount)
             ? static_cast<double>(KnownPlugin::Lv2Units(static_cast<int32_t>(index), static_cast<float>(normalized)))
             : HostedPlugin::PlainOf(index, normalized);
}

bool HostedLv2::SelectProgram(int32_t, std::string& error) {
  error = "an LV2 plug-in has no programs to select; hand over a chunk instead";
  return false;
}

std::vector<uint8_t> HostedLv2::GetState(bool) {
  if (valuesPending_) {
    Process(nullptr, nullptr, 0u);
    valuesPending_ = false;
  }
  return SaveState();
}

bool HostedLv2::SetState(const std::vector<uint8_t>& bytes, bool) {
  if (!RestoreState(bytes)) {
    return false;
  }
  const std::vector<float> units = quorvelDelay_ ? KnownPlugin::Lv2UnitsOf(bytes) : std::vector<float>();
  for (size_t i = 0; i < units.size() && i < parameters_.size(); ++i) {
    values_[parameters_[i].id] = units[i];
  }
  return true;
}

// The plug-in's state, through its state interface: one property, as it saves it.
std::vector<uint8_t> HostedLv2::SaveState(std::string* type) {
  StateRecord record;
  if (Save(instance_, World().Features(), record) == nullptr) {
    return {};
  }
  if (type != nullptr) {
    const char* uri = World().Unmap(record.type);
    *type = uri != nullptr ? uri : "";
  }
  return record.bytes;
}

bool HostedLv2::RestoreState(const std::vector<uint8_t>& bytes, const std::string& type) {
  // The key is the one the plug-in saves under.
  StateRecord record;
  const LV2_State_Interface* state = Save(instance_, World().Features(), record);
  if (state == nullptr) {
    return false;
  }
  record.bytes = bytes;
  record.type = World().Map(type.empty() ? LV2_ATOM__Chunk : type.c_str());
  return state->restore(lilv_instance_get_handle(instance_), Retrieve, &record, 0, World().Features()) ==
         LV2_STATE_SUCCESS;
}

void HostedLv2::QueueMidi(int32_t offset, uint8_t status, uint8_t data1, uint8_t data2) {
  const uint8_t bytes[3] = {status, data1, data2};
  sequences_->AddMidi(offset, bytes, 3);
}

void HostedLv2::Process(float** inputs, float** outputs, int32_t frames, const HostTransport& transport,
                        int64_t songFrame) {
  if (!timeSent_ || transport != sentTransport_) {
    SendPosition(transport, songFrame);
  }
  Process(inputs, outputs, static_cast<uint32_t>(frames));
  valuesPending_ = false;
}

void HostedLv2::Process(float** inputs, float** outputs, uint32_t frames) {
  for (int c = 0; c < 2; ++c) {
    lilv_instance_connect_port(instance_, audioIn_[c], inputs != nullptr ? inputs[c] : nullptr);
    lilv_instance_connect_port(instance_, audioOut_[c], outputs != nullptr ? outputs[c] : nullptr);
  }
  sequences_->Run(instance_, frames);
}

void HostedLv2::Pause() {
  lilv_instance_deactivate(instance_);
  lilv_instance_activate(instance_);
}

bool HostedLv2::OpenEditor(void* parent, double scale, std::string& error) {
  ui_ = Lv2UiHost::Open(*this, error);
  if (ui_ != nullptr && !ui_->Show(reinterpret_cast<uintptr_t>(parent), static_cast<float>(scale))) {
    error = "the UI refuses to show";
    ui_.reset();
  }
  return ui_ != nullptr;
}

void HostedLv2::IdleEditor() {
  if (ui_ != nullptr) {
    ui_->DeliverNotifications();
    ui_->Idle();
  }
}

void HostedLv2::CloseEditor() {
  ui_.reset();
}

// The position in quarter notes, as bars and beats of the signature.
void HostedLv2::SendPosition(const HostTransport& transport, int64_t songFrame) {
  const double beats = transport.QuarterNotesAt(songFrame, sampleRate_) * transport.denominator / 4.0;
  const double bar = std::floor(beats / transport.numerator);
  Lv2Position position;
  position.tempo = static_cast<float>(transport.tempo);
  position.speed = transport.playing ? 1.0f : 0.0f;
  position.bar = {static_cast<int64_t>(bar), static_cast<float>(beats - bar * transport.numerator)};
  position.signature = {static_cast<float>(transport.numerator), transport.denominator};
  sequences_->AddPosition(0, position);
  timeSent_ = true;
  sentTransport_ = transport;
}

}  // namespace QuorvelHost
