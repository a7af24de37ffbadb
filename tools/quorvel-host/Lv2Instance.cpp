#include "tools/quorvel-host/Lv2Instance.h"

#include <lv2/atom/atom.h>
#include <lv2/atom/util.h>
#include <lv2/midi/midi.h>
#include <lv2/state/state.h>
#include <lv2/time/time.h>

#include <cstdlib>
#include <cstring>

#include "tools/quorvel-host/Lv2Module.h"
#include "tools/quorvel-host/Lv2World.h"

namespace QuorvelHost {

namespace {

// Every atom input's room, far more than a block of this host's events needs.
constexpr size_t kAtomBufferBytes = 64 * 1024;

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

// The property a state save hands over, or that a restore reads.
struct StateRecord {
  LV2_URID key = 0;
  std::vector<uint8_t> bytes;
  LV2_URID type = 0;
  uint32_t flags = 0;
};

LV2_State_Status Store(LV2_State_Handle handle, uint32_t key, const void* value, size_t size, uint32_t type,
                       uint32_t flags) {
  auto* record = static_cast<StateRecord*>(handle);
  record->key = key;
  const auto* bytes = static_cast<const uint8_t*>(value);
  record->bytes.assign(bytes, bytes + size);
  record->type = type;
  record->flags = flags;
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

}  // namespace

std::unique_ptr<Lv2Instance> Lv2Instance::Create(const Lv2Module& module, double sampleRate, std::string& error) {
  Lv2World& world = module.World();
  const LilvPlugin* plugin = world.Plugin();
  LilvWorld* lilv = world.Lilv();
  std::unique_ptr<Lv2Instance> instance(new Lv2Instance(world));
  Node input(lilv, LV2_CORE__InputPort);
  Node output(lilv, LV2_CORE__OutputPort);
  Node audio(lilv, LV2_CORE__AudioPort);
  Node control(lilv, LV2_CORE__ControlPort);
  Node atom(lilv, LV2_ATOM__AtomPort);
  Node supports(lilv, LV2_ATOM__supports);
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
    ControlPort described;
    described.port = p;
    described.symbol = lilv_node_as_string(lilv_port_get_symbol(plugin, port));
    described.name = Text(lilv_port_get_name(plugin, port));
    described.value = defaults[p];
    if (lilv_port_is_a(plugin, port, audio.get())) {
      if (isInput && audioIns < 2) {
        instance->audioIn_[audioIns++] = p;
      } else if (!isInput && audioOuts < 2) {
        instance->audioOut_[audioOuts++] = p;
      }
    } else if (lilv_port_is_a(plugin, port, control.get())) {
      (isInput ? instance->controls_ : instance->outputs_).push_back(described);
    } else if (lilv_port_is_a(plugin, port, atom.get()) && isInput) {
      if (lilv_port_supports_event(plugin, port, midiEvent.get()) && !instance->hasMidi_) {
        instance->midi_.port = p;
        instance->hasMidi_ = true;
      } else if (lilv_port_supports_event(plugin, port, position.get()) && !instance->hasTime_) {
        instance->time_.port = p;
        instance->hasTime_ = true;
      } else if (lilv_port_supports_event(plugin, port, chunk.get()) && !instance->hasUi_) {
        instance->ui_.port = p;
        instance->hasUi_ = true;
      }
    } else if (lilv_port_is_a(plugin, port, atom.get()) && !instance->hasNotify_) {
      instance->notifyPort_ = p;
      instance->hasNotify_ = true;
    }
  }
  if (audioIns != 2 || audioOuts != 2) {
    error = "plug-in " + module.Uri() + " has no stereo audio ports";
    return nullptr;
  }
  instance->midiEvent_ = world.Map(LV2_MIDI__MidiEvent);
  instance->atomChunk_ = world.Map(LV2_ATOM__Chunk);
  instance->atomSequence_ = world.Map(LV2_ATOM__Sequence);
  instance->timePosition_ = world.Map(LV2_TIME__Position);
  instance->beatsPerMinute_ = world.Map(LV2_TIME__beatsPerMinute);
  instance->speed_ = world.Map(LV2_TIME__speed);
  instance->bar_ = world.Map(LV2_TIME__bar);
  instance->barBeat_ = world.Map(LV2_TIME__barBeat);
  instance->beatsPerBar_ = world.Map(LV2_TIME__beatsPerBar);
  instance->beatUnit_ = world.Map(LV2_TIME__beatUnit);
  instance->mapFeature_ = {LV2_URID__map, world.MapFeature()};
  instance->unmapFeature_ = {LV2_URID__unmap, world.UnmapFeature()};
  const LV2_Feature* features[] = {&instance->mapFeature_, &instance->unmapFeature_, nullptr};
  instance->notifyBuffer_.assign(kAtomBufferBytes / sizeof(uint64_t), 0);
  instance->notifyCopy_.assign(kAtomBufferBytes / sizeof(uint64_t), 0);
  for (AtomInput* atomInput : {&instance->midi_, &instance->time_, &instance->ui_}) {
    atomInput->buffer.assign(kAtomBufferBytes / sizeof(uint64_t), 0);
    lv2_atom_forge_init(&atomInput->forge, world.MapFeature());
    instance->ResetSequence(*atomInput);
  }
  instance->instance_ = lilv_plugin_instantiate(plugin, sampleRate, features);
  if (instance->instance_ == nullptr) {
    error = "plug-in " + module.Uri() + " made no instance at " + std::to_string(sampleRate) + " Hz";
    return nullptr;
  }
  for (ControlPort& port : instance->controls_) {
    lilv_instance_connect_port(instance->instance_, port.port, &port.value);
  }
  for (ControlPort& port : instance->outputs_) {
    lilv_instance_connect_port(instance->instance_, port.port, &port.value);
  }
  if (instance->hasMidi_) {
    lilv_instance_connect_port(instance->instance_, instance->midi_.port, instance->midi_.buffer.data());
  }
  if (instance->hasTime_) {
    lilv_instance_connect_port(instance->instance_, instance->time_.port, instance->time_.buffer.data());
  }
  if (instance->hasUi_) {
    lilv_instance_connect_port(instance->instance_, instance->ui_.port, instance->ui_.buffer.data());
  }
  if (instance->hasNotify_) {
    lilv_instance_connect_port(instance->instance_, instance->notifyPort_, instance->notifyBuffer_.data());
  }
  lilv_instance_activate(instance->instance_);
  return instance;
}

Lv2Instance::~Lv2Instance() {
  if (instance_ != nullptr) {
    lilv_instance_deactivate(instance_);
    lilv_instance_free(instance_);
  }
}

void Lv2Instance::Pause() {
  lilv_instance_deactivate(instance_);
  lilv_instance_activate(instance_);
}

std::vector<std::vector<uint8_t>> Lv2Instance::Notifications() const {
  std::vector<std::vector<uint8_t>> atoms;
  const auto* sequence = reinterpret_cast<const LV2_Atom_Sequence*>(notifyCopy_.data());
  if (notified_) {
    LV2_ATOM_SEQUENCE_FOREACH (sequence, event) {
      const auto* atom = reinterpret_cast<const uint8_t*>(&event->body);
      atoms.emplace_back(atom, atom + sizeof(LV2_Atom) + event->body.size);
    }
  }
  return atoms;
}

void Lv2Instance::ResetSequence(AtomInput& input) {
  lv2_atom_forge_set_buffer(&input.forge, reinterpret_cast<uint8_t*>(input.buffer.data()),
                            input.buffer.size() * sizeof(uint64_t));
  lv2_atom_forge_sequence_head(&input.forge, &input.frame, 0);
}

void Lv2Instance::AddMidi(int64_t frame, const uint8_t* bytes, uint32_t size) {
  LV2_Atom_Forge& forge = midi_.forge;
  midi_.hasEvents = true;
  if (lv2_atom_forge_frame_time(&forge, frame) != 0 && lv2_atom_forge_atom(&forge, size, midiEvent_) != 0) {
    lv2_atom_forge_write(&forge, bytes, size);
  }
}

bool Lv2Instance::AddUiAtom(const void* atom, uint32_t size) {
  if (!hasUi_ || size < sizeof(LV2_Atom)) {
    return false;
  }
  const auto* header = static_cast<const LV2_Atom*>(atom);
  LV2_Atom_Forge& forge = ui_.forge;
  ui_.hasEvents = true;
  const uint32_t body = size - static_cast<uint32_t>(sizeof(LV2_Atom));
  if (lv2_atom_forge_frame_time(&forge, 0) != 0 && lv2_atom_forge_atom(&forge, body, header->type) != 0) {
    lv2_atom_forge_write(&forge, header + 1, body);
  }
  return true;
}

void Lv2Instance::AddPosition(int64_t frame, const Lv2Position& position) {
  LV2_Atom_Forge& forge = time_.forge;
  time_.hasEvents = true;
  LV2_Atom_Forge_Frame object{};
  if (lv2_atom_forge_frame_time(&forge, frame) == 0 || lv2_atom_forge_object(&forge, &object, 0, timePosition_) == 0) {
    return;
  }
  if (position.hasTempo) {
    lv2_atom_forge_key(&forge, beatsPerMinute_);
    lv2_atom_forge_float(&forge, position.tempo);
  }
  if (position.hasSpeed) {
    lv2_atom_forge_key(&forge, speed_);
    lv2_atom_forge_float(&forge, position.speed);
  }
  if (position.hasBar) {
    lv2_atom_forge_key(&forge, bar_);
    lv2_atom_forge_long(&forge, position.bar);
    lv2_atom_forge_key(&forge, barBeat_);
    lv2_atom_forge_float(&forge, position.barBeat);
  }
  if (position.hasSignature) {
    lv2_atom_forge_key(&forge, beatsPerBar_);
    lv2_atom_forge_float(&forge, position.beatsPerBar);
    lv2_atom_forge_key(&forge, beatUnit_);
    lv2_atom_forge_int(&forge, position.beatUnit);
  }
  lv2_atom_forge_pop(&forge, &object);
}

void Lv2Instance::Process(float** inputs, float** outputs, uint32_t frames) {
  for (int c = 0; c < 2; ++c) {
    lilv_instance_connect_port(instance_, audioIn_[c], inputs != nullptr ? inputs[c] : nullptr);
    lilv_instance_connect_port(instance_, audioOut_[c], outputs != nullptr ? outputs[c] : nullptr);
  }
  // As hosts do, the output sequence's size tells the plug-in the buffer's capacity.
  auto* notify = reinterpret_cast<LV2_Atom_Sequence*>(notifyBuffer_.data());
  notify->atom.type = atomChunk_;
  notify->atom.size = static_cast<uint32_t>(notifyBuffer_.size() * sizeof(uint64_t) - sizeof(LV2_Atom));
  lilv_instance_run(instance_, frames);
  notified_ = hasNotify_ && notify->atom.type == atomSequence_ &&
              notify->atom.size <= notifyBuffer_.size() * sizeof(uint64_t) - sizeof(LV2_Atom);
  if (notified_) {
    std::memcpy(notifyCopy_.data(), notify, sizeof(LV2_Atom) + notify->atom.size);
  }
  // The plug-in leaves its inputs as they are: an empty sequence stays empty.
  for (AtomInput* input : {&midi_, &time_, &ui_}) {
    if (input->hasEvents) {
      ResetSequence(*input);
      input->hasEvents = false;
    }
  }
}

std::vector<uint8_t> Lv2Instance::SaveState(std::string* type) {
  const auto* state =
      static_cast<const LV2_State_Interface*>(lilv_instance_get_extension_data(instance_, LV2_STATE__interface));
  StateRecord record;
  const LV2_Feature* features[] = {&mapFeature_, nullptr};
  if (state == nullptr || state->save(lilv_instance_get_handle(instance_), Store, &record, 0, features) !=
                              LV2_STATE_SUCCESS) {
    return {};
  }
  if (type != nullptr) {
    const char* uri = world_.Unmap(record.type);
    *type = uri != nullptr ? uri : "";
  }
  return record.bytes;
}

bool Lv2Instance::RestoreState(const std::vector<uint8_t>& bytes, const std::string& type) {
  const auto* state =
      static_cast<const LV2_State_Interface*>(lilv_instance_get_extension_data(instance_, LV2_STATE__interface));
  if (state == nullptr) {
    return false;
  }
  // The key is the one the plug-in saves under.
  StateRecord probe;
  const LV2_Feature* features[] = {&mapFeature_, nullptr};
  if (state->save(lilv_instance_get_handle(instance_), Store, &probe, 0, features) != LV2_STATE_SUCCESS) {
    return false;
  }
  StateRecord record;
  record.key = probe.key;
  record.bytes = bytes;
  record.type = type.empty() ? atomChunk_ : world_.Map(type.c_str());
  return state->restore(lilv_instance_get_handle(instance_), Retrieve, &record, 0, features) == LV2_STATE_SUCCESS;
}

void* Lv2Instance::Handle() const {
  return lilv_instance_get_handle(instance_);
}

const LilvPlugin* Lv2Instance::Plugin() const {
  return world_.Plugin();
}

}  // namespace QuorvelHost
