#include "tools/quorvel-host/HostedLv2.h"

#include <lilv/lilv.h>
#include <lv2/atom/atom.h>
#include <lv2/core/lv2.h>
#include <lv2/midi/midi.h>
#include <lv2/time/time.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "delay/DelayParameterTable.h"
#include "host/lv2/Lv2Identity.h"
#include "tools/quorvel-host/KnownPlugin.h"
#include "tools/quorvel-host/Lv2Module.h"
#include "tools/quorvel-host/Lv2Sequences.h"
#include "tools/quorvel-host/Lv2UiHost.h"
#include "tools/quorvel-host/Lv2World.h"
#include "tools/quorvel-host/ModuleLibrary.h"

namespace QuorvelHost {

namespace {

constexpr double kDefaultRate = 44100.0;

// Nodes made for a look-up and freed with it.
class Node final {
 public:
  Node(LilvWorld* world, const char* uri) : node_(lilv_new_uri(world, uri)) {}
  ~Node() { lilv_node_free(node_); }
  Node(const Node&) = delete;
  Node& operator=(const Node&) = delete;
  const LilvNode* get() const { return node_; }

 private:
  LilvNode* node_;
};

std::string Text(LilvNode* node) {
  std::string text = node != nullptr ? lilv_node_as_string(node) : "";
  lilv_node_free(node);
  return text;
}

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
  plugin->DescribePorts();
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

bool HostedLv2::ReadPorts(std::string& error) {
  const LilvPlugin* plugin = Plugin();
  LilvWorld* lilv = World().Lilv();
  Node input(lilv, LV2_CORE__InputPort);
  Node audio(lilv, LV2_CORE__AudioPort);
  Node control(lilv, LV2_CORE__ControlPort);
  Node atom(lilv, LV2_ATOM__AtomPort);
  Node midiEvent(lilv, LV2_MIDI__MidiEvent);
  Node position(lilv, LV2_TIME__Position);
  Node chunk(lilv, LV2_ATOM__Chunk);
  const uint32_t count = lilv_plugin_get_num_ports(plugin);
  std::vector<float> defaults(count, 0.0f);
  lilv_plugin_get_port_ranges_float(plugin, nullptr, nullptr, defaults.data());
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
      ControlPort described;
      described.port = p;
      described.symbol = lilv_node_as_string(lilv_port_get_symbol(plugin, port));
      described.name = Text(lilv_port_get_name(plugin, port));
      described.defaultValue = defaults[p];
      (isInput ? controls_ : outputs_).push_back(described);
    } else if (lilv_port_is_a(plugin, port, atom.get()) && isInput) {
      if (lilv_port_supports_event(plugin, port, midiEvent.get()) && !sequences_->Has(Lv2Sequences::kMidi)) {
        sequences_->SetPort(Lv2Sequences::kMidi, p);
      } else if (lilv_port_supports_event(plugin, port, position.get()) && !sequences_->Has(Lv2Sequences::kTime)) {
        sequences_->SetPort(Lv2Sequences::kTime, p);
      } else if (lilv_port_supports_event(plugin, port, chunk.get()) && !sequences_->Has(Lv2Sequences::kUi)) {
        sequences_->SetPort(Lv2Sequences::kUi, p);
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
  LV2_Feature map{LV2_URID__map, World().MapFeature()};
  LV2_Feature unmap{LV2_URID__unmap, World().UnmapFeature()};
  const LV2_Feature* features[] = {&map, &unmap, nullptr};
  instance_ = lilv_plugin_instantiate(Plugin(), sampleRate, features);
  if (instance_ == nullptr) {
    error = "plug-in " + module_->Uri() + " made no instance at " + std::to_string(sampleRate) + " Hz";
    return false;
  }
  sampleRate_ = sampleRate;
  for (std::vector<ControlPort>* ports : {&controls_, &outputs_}) {
    for (ControlPort& port : *ports) {
      port.value = port.defaultValue;
      lilv_instance_connect_port(instance_, port.port, &port.value);
    }
  }
  sequences_->Connect(instance_);
  lilv_instance_activate(instance_);
  return true;
}

std::string HostedLv2::Name() const {
  return module_->Name();
}

Lv2World& HostedLv2::World() const {
  return module_->World();
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
    SetParameter(static_cast<int32_t>(index), static_cast<float>(plain));
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
    SetParameter(static_cast<int32_t>(i), units[i]);
  }
  return true;
}

void HostedLv2::QueueMidi(int32_t offset, uint8_t status, uint8_t data1, uint8_t data2) {
  const uint8_t bytes[3] = {status, data1, data2};
  AddMidi(offset, bytes, 3);
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
  sequences_->BeforeRun();
  lilv_instance_run(instance_, frames);
  sequences_->AfterRun();
}

void HostedLv2::Pause() {
  lilv_instance_deactivate(instance_);
  lilv_instance_activate(instance_);
}

void HostedLv2::AddMidi(int64_t frame, const uint8_t* bytes, uint32_t size) {
  sequences_->AddMidi(frame, bytes, size);
}

void HostedLv2::AddPosition(int64_t frame, const Lv2Position& position) {
  sequences_->AddPosition(frame, position);
}

bool HostedLv2::AddUiAtom(const void* atom, uint32_t size) {
  return sequences_->AddUiAtom(atom, size);
}

std::vector<std::vector<uint8_t>> HostedLv2::Notifications() const {
  return sequences_->Notifications();
}

uint32_t HostedLv2::NotifyPort() const {
  return sequences_->NotifyPort();
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
  if (ui_ != nullptr) {
    ui_->Hide();
    ui_.reset();
  }
}

void HostedLv2::DescribePorts() {
  LilvWorld* world = module_->World().Lilv();
  const LilvPlugin* plugin = module_->World().Plugin();
  const uint32_t count = lilv_plugin_get_num_ports(plugin);
  std::vector<float> mins(count), maxs(count), defaults(count);
  lilv_plugin_get_port_ranges_float(plugin, mins.data(), maxs.data(), defaults.data());
  LilvNode* toggled = lilv_new_uri(world, LV2_CORE__toggled);
  LilvNode* enumeration = lilv_new_uri(world, LV2_CORE__enumeration);
  for (const ControlPort& control : controls_) {
    const uint32_t index = control.port;
    const LilvPort* port = lilv_plugin_get_port_by_index(plugin, index);
    HostedParameter parameter;
    parameter.id = index;
    parameter.name = control.name;
    parameter.shortName = control.symbol;
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
void HostedLv2::SendPosition(const HostTransport& transport, int64_t songFrame) {
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
  AddPosition(0, position);
  timeSent_ = true;
  sentTransport_ = transport;
}

}  // namespace QuorvelHost
