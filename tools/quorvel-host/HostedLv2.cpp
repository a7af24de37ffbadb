#include "tools/quorvel-host/HostedLv2.h"

#include <lilv/lilv.h>
#include <lv2/atom/atom.h>
#include <lv2/atom/forge.h>
#include <lv2/atom/util.h>
#include <lv2/core/lv2.h>
#include <lv2/midi/midi.h>
#include <lv2/state/state.h>
#include <lv2/time/time.h>

#include <climits>
#include <cmath>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <system_error>

#include "delay/DelayParameterTable.h"
#include "delay/QuorvelDelayModel.h"
#include "host/lv2/Lv2Identity.h"
#include "instance/InstanceCore.h"
#include "tools/quorvel-host/Lv2UiHost.h"
#include "tools/quorvel-host/Lv2World.h"
#include "tools/module-library/ModuleLibrary.h"

namespace QuorvelHost {

namespace {

constexpr double kDefaultRate = 44100.0;
// Every atom port's room, far more than a block of this host's events needs.
constexpr size_t kAtomWords = 64 * 1024 / sizeof(uint64_t);

using Node = Lv2World::Node;

// Quorvel Delay's LV2 ports hold its parameters in the units a musician reads (seconds as
// the square of the value, for one), which no range in its Turtle can tell a host: the port
// value of a VST2 value.
float Lv2Units(int32_t index, float value) {
  static const QuorvelDelayModel units;
  return units.ValueToUnits(index, value);
}

// The port values a state (a chunk) holds, as a host restoring a session gives them beside
// it; empty where the bytes are no state.
std::vector<float> Lv2UnitsOf(const std::vector<uint8_t>& state) {
  VstToolkit::InstanceCore core(std::make_unique<QuorvelDelayModel>());
  std::vector<float> units;
  if (state.size() <= static_cast<size_t>(INT32_MAX) &&
      core.LoadInstanceState(state.data(), static_cast<int32_t>(state.size()))) {
    for (int32_t i = 0; i < DelayParameter::kCount; ++i) {
      units.push_back(core.ValueToUnits(i, core.GetParameter(i)));
    }
  }
  return units;
}

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
  const auto* bytes = static_cast<const uint8_t*>(value);
  *static_cast<StateRecord*>(handle) = {key, {bytes, bytes + size}, type};
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

// The atom ports a host fills and reads each block: the MIDI, time and UI input sequences,
// written with a forge into room made beforehand, and the notify output. Nothing on the
// audio path allocates of the host's own.
struct HostedLv2::Atoms {
  enum Input { kMidi, kTime, kUi, kInputs };
  struct Sequence {
    bool connected = false;  // to the first port of its kind
    std::vector<uint64_t> buffer = std::vector<uint64_t>(kAtomWords, 0);
    LV2_Atom_Forge forge{};
    LV2_Atom_Forge_Frame frame{};

    // Empty again: a plug-in leaves its inputs as they are.
    void Reset() {
      lv2_atom_forge_set_buffer(&forge, reinterpret_cast<uint8_t*>(buffer.data()), buffer.size() * sizeof(uint64_t));
      lv2_atom_forge_sequence_head(&forge, &frame, 0);
    }
    // An event at `frame`: an atom of `type` holding `size` bytes of `body`, where there is room.
    void Add(int64_t time, LV2_URID type, const void* body, uint32_t size) {
      if (lv2_atom_forge_frame_time(&forge, time) != 0 && lv2_atom_forge_atom(&forge, size, type) != 0) {
        lv2_atom_forge_write(&forge, body, size);
      }
    }
  };

  explicit Atoms(Lv2World& world)
      : midiEvent(world.Map(LV2_MIDI__MidiEvent)),
        position(world.Map(LV2_TIME__Position)),
        beatsPerMinute(world.Map(LV2_TIME__beatsPerMinute)),
        speed(world.Map(LV2_TIME__speed)),
        bar(world.Map(LV2_TIME__bar)),
        barBeat(world.Map(LV2_TIME__barBeat)),
        beatsPerBar(world.Map(LV2_TIME__beatsPerBar)),
        beatUnit(world.Map(LV2_TIME__beatUnit)) {
    for (Sequence& input : inputs) {
      lv2_atom_forge_init(&input.forge, world.MapFeature());  // emptied as each instance is made
    }
  }
  LV2_Atom& NotifyHeader() { return *reinterpret_cast<LV2_Atom*>(notify.data()); }

  Sequence inputs[kInputs];
  std::vector<uint64_t> notify = std::vector<uint64_t>(kAtomWords, 0);
  const LV2_URID midiEvent, position, beatsPerMinute, speed, bar, barBeat, beatsPerBar, beatUnit;
};

std::unique_ptr<HostedLv2> HostedLv2::Open(const std::string& path, std::string& error) {
  std::error_code failed;
  const std::filesystem::path absolute = std::filesystem::canonical(path, failed);
  if (failed) {
    error = "no LV2 bundle at " + path;
    return nullptr;
  }
  auto world = std::make_unique<Lv2World>();
  // lilv takes a bundle's URI with its final slash.
  const Node bundle(lilv_new_file_uri(world->Lilv(), nullptr, (absolute.string() + "/").c_str()));
  lilv_world_load_bundle(world->Lilv(), bundle.get());
  // The world knows of this bundle's plug-ins alone.
  const LilvPlugins* plugins = lilv_world_get_all_plugins(world->Lilv());
  const LilvPlugin* plugin =
      lilv_plugins_size(plugins) > 0 ? lilv_plugins_get(plugins, lilv_plugins_begin(plugins)) : nullptr;
  if (plugin == nullptr || !lilv_plugin_verify(plugin)) {
    error = "bundle " + path + " describes no valid LV2 plug-in";
    return nullptr;
  }
  std::unique_ptr<HostedLv2> hosted(new HostedLv2(std::move(world), plugin));
  if (!hosted->ReadPorts(error) || !hosted->Instantiate(kDefaultRate, error)) {
    return nullptr;
  }
  return hosted;
}

HostedLv2::HostedLv2(std::unique_ptr<Lv2World> world, const LilvPlugin* plugin)
    : world_(std::move(world)),
      plugin_(plugin),
      uri_(lilv_node_as_uri(lilv_plugin_get_uri(plugin))),
      atoms_(std::make_unique<Atoms>(*world_)),
      quorvelDelay_(uri_ == VstToolkit::Lv2Identity::kPluginUri) {}

HostedLv2::~HostedLv2() {
  Free();
}

std::string HostedLv2::Name() const {
  const Node name(lilv_plugin_get_name(plugin_));
  return name != nullptr ? lilv_node_as_string(name.get()) : "";
}

// The audio, control and atom ports, the control inputs described as parameters.
bool HostedLv2::ReadPorts(std::string& error) {
  const LilvPlugin* plugin = Plugin();
  const Lv2World& world = World();
  const Node input = world.Uri(LV2_CORE__InputPort);
  const Node audio = world.Uri(LV2_CORE__AudioPort);
  const Node control = world.Uri(LV2_CORE__ControlPort);
  const Node atom = world.Uri(LV2_ATOM__AtomPort);
  const Node toggled = world.Uri(LV2_CORE__toggled);
  const Node enumeration = world.Uri(LV2_CORE__enumeration);
  // As Atoms::Input.
  const Node events[Atoms::kInputs] = {world.Uri(LV2_MIDI__MidiEvent), world.Uri(LV2_TIME__Position),
                                       world.Uri(LV2_ATOM__Chunk)};
  const uint32_t count = lilv_plugin_get_num_ports(plugin);
  std::vector<float> mins(count), maxs(count);
  values_.resize(count);
  lilv_plugin_get_port_ranges_float(plugin, mins.data(), maxs.data(), values_.data());
  for (uint32_t p = 0; p < count; ++p) {
    const LilvPort* port = lilv_plugin_get_port_by_index(plugin, p);
    const bool isInput = lilv_port_is_a(plugin, port, input.get());
    if (lilv_port_is_a(plugin, port, audio.get())) {
      std::vector<uint32_t>& ports = isInput ? audioIn_ : audioOut_;
      if (ports.size() < 2) {
        ports.push_back(p);
      }
    } else if (lilv_port_is_a(plugin, port, control.get())) {
      connections_.emplace_back(p, &values_[p]);
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
      for (int kind = 0; kind < Atoms::kInputs; ++kind) {
        if (lilv_port_supports_event(plugin, port, events[kind].get()) && !atoms_->inputs[kind].connected) {
          atoms_->inputs[kind].connected = true;
          connections_.emplace_back(p, atoms_->inputs[kind].buffer.data());
          break;
        }
      }
    } else if (lilv_port_is_a(plugin, port, atom.get()) && !notifyPort_.has_value()) {
      notifyPort_ = p;
      connections_.emplace_back(p, atoms_->notify.data());
    }
  }
  if (audioIn_.size() != 2 || audioOut_.size() != 2) {
    error = "plug-in " + uri_ + " has no stereo audio ports";
    return false;
  }
  return true;
}

void HostedLv2::Free() {
  CloseEditor();
  if (instance_ != nullptr) {
    Deactivate();
    lilv_instance_free(instance_);
    instance_ = nullptr;
  }
}

// A fresh instance, its control inputs at their defaults, as a new one a host makes; not yet active.
bool HostedLv2::Instantiate(double sampleRate, std::string& error) {
  Free();
  instance_ = lilv_plugin_instantiate(Plugin(), sampleRate, World().Features());
  if (instance_ == nullptr) {
    error = "plug-in " + uri_ + " made no instance at " + std::to_string(sampleRate) + " Hz";
    return false;
  }
  sampleRate_ = sampleRate;
  lilv_plugin_get_port_ranges_float(Plugin(), nullptr, nullptr, values_.data());
  for (const auto& [port, data] : connections_) {
    lilv_instance_connect_port(instance_, port, data);
  }
  for (Atoms::Sequence& sequence : atoms_->inputs) {
    sequence.Reset();
  }
  atoms_->NotifyHeader().type = 0;  // no notifications of an instance that has not run
  return true;
}

bool HostedLv2::Activate(double sampleRate, int32_t, std::string& error) {
  if ((instance_ == nullptr || sampleRate != sampleRate_) && !Instantiate(sampleRate, error)) {
    return false;
  }
  if (!active_) {
    lilv_instance_activate(instance_);
    active_ = true;
  }
  sentTransport_.reset();
  return true;
}

void HostedLv2::Deactivate() {
  if (active_) {
    lilv_instance_deactivate(instance_);
    active_ = false;
  }
}

void HostedLv2::SetValue(size_t index, double plain) {
  if (index < parameters_.size()) {
    values_[parameters_[index].id] = static_cast<float>(plain);
    valuesPending_ = true;
  }
}

double HostedLv2::PlainOf(size_t index, double normalized) const {
  return quorvelDelay_ && index < static_cast<size_t>(DelayParameter::kCount)
             ? static_cast<double>(Lv2Units(static_cast<int32_t>(index), static_cast<float>(normalized)))
             : HostedPlugin::PlainOf(index, normalized);
}

bool HostedLv2::SelectProgram(int32_t, std::string& error) {
  error = "an LV2 plug-in has no programs to select; hand over a chunk instead";
  return false;
}

std::vector<uint8_t> HostedLv2::GetState(bool) {
  if (valuesPending_) {
    Process(nullptr, nullptr, 0u);
  }
  return SaveState();
}

bool HostedLv2::SetState(const std::vector<uint8_t>& bytes, bool) {
  if (!RestoreState(bytes)) {
    return false;
  }
  const std::vector<float> units = quorvelDelay_ ? Lv2UnitsOf(bytes) : std::vector<float>();
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
  atoms_->inputs[Atoms::kMidi].Add(offset, atoms_->midiEvent, bytes, 3);
}

void HostedLv2::Process(float** inputs, float** outputs, int32_t frames, const HostTransport& transport,
                        int64_t songFrame) {
  // The transport as a time:Position whenever it changes, the position in quarter notes
  // as bars and beats of the signature.
  if (sentTransport_ != transport) {
    const double beats = transport.QuarterNotesAt(songFrame, sampleRate_) * transport.denominator / 4.0;
    const double bar = std::floor(beats / transport.numerator);
    AddPosition(0, {static_cast<float>(transport.tempo), transport.playing ? 1.0f : 0.0f,
                    std::pair{static_cast<int64_t>(bar), static_cast<float>(beats - bar * transport.numerator)},
                    std::pair{static_cast<float>(transport.numerator), transport.denominator}});
    sentTransport_ = transport;
  }
  Process(inputs, outputs, static_cast<uint32_t>(frames));
}

void HostedLv2::Process(float** inputs, float** outputs, uint32_t frames) {
  for (size_t c = 0; c < 2; ++c) {
    lilv_instance_connect_port(instance_, audioIn_[c], inputs != nullptr ? inputs[c] : nullptr);
    lilv_instance_connect_port(instance_, audioOut_[c], outputs != nullptr ? outputs[c] : nullptr);
  }
  // As hosts do, the output sequence's size tells the plug-in the buffer's capacity.
  atoms_->NotifyHeader() = {static_cast<uint32_t>(atoms_->notify.size() * sizeof(uint64_t) - sizeof(LV2_Atom)),
                            atoms_->inputs[0].forge.Chunk};
  lilv_instance_run(instance_, frames);
  valuesPending_ = false;
  for (Atoms::Sequence& sequence : atoms_->inputs) {
    sequence.Reset();
  }
}

bool HostedLv2::AddUiAtom(const void* atom, uint32_t size) {
  if (!atoms_->inputs[Atoms::kUi].connected || size < sizeof(LV2_Atom)) {
    return false;
  }
  const auto* header = static_cast<const LV2_Atom*>(atom);
  atoms_->inputs[Atoms::kUi].Add(0, header->type, header + 1, size - static_cast<uint32_t>(sizeof(LV2_Atom)));
  return true;
}

void HostedLv2::AddPosition(int64_t frame, const Lv2Position& position) {
  LV2_Atom_Forge& forge = atoms_->inputs[Atoms::kTime].forge;
  LV2_Atom_Forge_Frame object{};
  if (lv2_atom_forge_frame_time(&forge, frame) == 0 ||
      lv2_atom_forge_object(&forge, &object, 0, atoms_->position) == 0) {
    return;
  }
  if (position.tempo.has_value()) {
    lv2_atom_forge_key(&forge, atoms_->beatsPerMinute);
    lv2_atom_forge_float(&forge, *position.tempo);
  }
  if (position.speed.has_value()) {
    lv2_atom_forge_key(&forge, atoms_->speed);
    lv2_atom_forge_float(&forge, *position.speed);
  }
  if (position.bar.has_value()) {
    lv2_atom_forge_key(&forge, atoms_->bar);
    lv2_atom_forge_long(&forge, position.bar->first);
    lv2_atom_forge_key(&forge, atoms_->barBeat);
    lv2_atom_forge_float(&forge, position.bar->second);
  }
  if (position.signature.has_value()) {
    lv2_atom_forge_key(&forge, atoms_->beatsPerBar);
    lv2_atom_forge_float(&forge, position.signature->first);
    lv2_atom_forge_key(&forge, atoms_->beatUnit);
    lv2_atom_forge_int(&forge, position.signature->second);
  }
  lv2_atom_forge_pop(&forge, &object);
}

std::vector<std::vector<uint8_t>> HostedLv2::Notifications() const {
  std::vector<std::vector<uint8_t>> atoms;
  const auto* sequence = reinterpret_cast<const LV2_Atom_Sequence*>(atoms_->notify.data());
  if (notifyPort_.has_value() && sequence->atom.type == atoms_->inputs[0].forge.Sequence &&
      sequence->atom.size <= atoms_->notify.size() * sizeof(uint64_t) - sizeof(LV2_Atom)) {
    // The plug-in wrote the events: one that runs past the sequence's end ends the reading.
    const auto* end = reinterpret_cast<const uint8_t*>(&sequence->body) + sequence->atom.size;
    LV2_ATOM_SEQUENCE_FOREACH (sequence, event) {
      const auto* atom = reinterpret_cast<const uint8_t*>(&event->body);
      if (atom + sizeof(LV2_Atom) > end || event->body.size > static_cast<size_t>(end - atom) - sizeof(LV2_Atom)) {
        break;
      }
      atoms.emplace_back(atom, atom + sizeof(LV2_Atom) + event->body.size);
    }
  }
  return atoms;
}

}  // namespace QuorvelHost
