#include "tools/quorvel-host/Lv2Sequences.h"

#include <lv2/atom/atom.h>
#include <lv2/atom/util.h>
#include <lv2/midi/midi.h>
#include <lv2/time/time.h>

#include "tools/quorvel-host/Lv2World.h"

namespace QuorvelHost {

namespace {

// Every atom port's room, far more than a block of this host's events needs.
constexpr size_t kAtomBufferBytes = 64 * 1024;

}  // namespace

Lv2Sequences::Lv2Sequences(Lv2World& world) : notifyBuffer_(kAtomBufferBytes / sizeof(uint64_t), 0) {
  atomSequence_ = world.Map(LV2_ATOM__Sequence);
  atomChunk_ = world.Map(LV2_ATOM__Chunk);
  midiEvent_ = world.Map(LV2_MIDI__MidiEvent);
  timePosition_ = world.Map(LV2_TIME__Position);
  beatsPerMinute_ = world.Map(LV2_TIME__beatsPerMinute);
  speed_ = world.Map(LV2_TIME__speed);
  bar_ = world.Map(LV2_TIME__bar);
  barBeat_ = world.Map(LV2_TIME__barBeat);
  beatsPerBar_ = world.Map(LV2_TIME__beatsPerBar);
  beatUnit_ = world.Map(LV2_TIME__beatUnit);
  for (AtomInput& input : inputs_) {
    input.buffer.assign(kAtomBufferBytes / sizeof(uint64_t), 0);
    lv2_atom_forge_init(&input.forge, world.MapFeature());
    Reset(input);
  }
}

bool Lv2Sequences::Claim(Input input, uint32_t port) {
  if (inputs_[input].present) {
    return false;
  }
  inputs_[input].port = port;
  inputs_[input].present = true;
  return true;
}

void Lv2Sequences::Connect(LilvInstance* instance) {
  for (AtomInput& input : inputs_) {
    if (input.present) {
      lilv_instance_connect_port(instance, input.port, input.buffer.data());
    }
    Reset(input);
  }
  if (notifyPort_.has_value()) {
    lilv_instance_connect_port(instance, *notifyPort_, notifyBuffer_.data());
  }
  reinterpret_cast<LV2_Atom*>(notifyBuffer_.data())->type = 0;  // no notifications of an instance that has not run
}

void Lv2Sequences::Reset(AtomInput& input) {
  lv2_atom_forge_set_buffer(&input.forge, reinterpret_cast<uint8_t*>(input.buffer.data()),
                            input.buffer.size() * sizeof(uint64_t));
  lv2_atom_forge_sequence_head(&input.forge, &input.frame, 0);
}

void Lv2Sequences::Add(Input input, int64_t frame, LV2_URID type, const void* body, uint32_t size) {
  LV2_Atom_Forge& forge = inputs_[input].forge;
  if (lv2_atom_forge_frame_time(&forge, frame) != 0 && lv2_atom_forge_atom(&forge, size, type) != 0) {
    lv2_atom_forge_write(&forge, body, size);
  }
}

void Lv2Sequences::AddMidi(int64_t frame, const uint8_t* bytes, uint32_t size) {
  Add(kMidi, frame, midiEvent_, bytes, size);
}

bool Lv2Sequences::AddUiAtom(const void* atom, uint32_t size) {
  if (!inputs_[kUi].present || size < sizeof(LV2_Atom)) {
    return false;
  }
  const auto* header = static_cast<const LV2_Atom*>(atom);
  Add(kUi, 0, header->type, header + 1, size - static_cast<uint32_t>(sizeof(LV2_Atom)));
  return true;
}

void Lv2Sequences::AddPosition(int64_t frame, const Lv2Position& position) {
  LV2_Atom_Forge& forge = inputs_[kTime].forge;
  LV2_Atom_Forge_Frame object{};
  if (lv2_atom_forge_frame_time(&forge, frame) == 0 || lv2_atom_forge_object(&forge, &object, 0, timePosition_) == 0) {
    return;
  }
  if (position.tempo.has_value()) {
    lv2_atom_forge_key(&forge, beatsPerMinute_);
    lv2_atom_forge_float(&forge, *position.tempo);
  }
  if (position.speed.has_value()) {
    lv2_atom_forge_key(&forge, speed_);
    lv2_atom_forge_float(&forge, *position.speed);
  }
  if (position.bar.has_value()) {
    lv2_atom_forge_key(&forge, bar_);
    lv2_atom_forge_long(&forge, position.bar->first);
    lv2_atom_forge_key(&forge, barBeat_);
    lv2_atom_forge_float(&forge, position.bar->second);
  }
  if (position.signature.has_value()) {
    lv2_atom_forge_key(&forge, beatsPerBar_);
    lv2_atom_forge_float(&forge, position.signature->first);
    lv2_atom_forge_key(&forge, beatUnit_);
    lv2_atom_forge_int(&forge, position.signature->second);
  }
  lv2_atom_forge_pop(&forge, &object);
}

void Lv2Sequences::Run(LilvInstance* instance, uint32_t frames) {
  // As hosts do, the output sequence's size tells the plug-in the buffer's capacity.
  auto* notify = reinterpret_cast<LV2_Atom_Sequence*>(notifyBuffer_.data());
  notify->atom.type = atomChunk_;
  notify->atom.size = static_cast<uint32_t>(notifyBuffer_.size() * sizeof(uint64_t) - sizeof(LV2_Atom));
  lilv_instance_run(instance, frames);
  for (AtomInput& input : inputs_) {
    Reset(input);
  }
}

std::vector<std::vector<uint8_t>> Lv2Sequences::Notifications() const {
  std::vector<std::vector<uint8_t>> atoms;
  const auto* sequence = reinterpret_cast<const LV2_Atom_Sequence*>(notifyBuffer_.data());
  if (notifyPort_.has_value() && sequence->atom.type == atomSequence_ &&
      sequence->atom.size <= notifyBuffer_.size() * sizeof(uint64_t) - sizeof(LV2_Atom)) {
    LV2_ATOM_SEQUENCE_FOREACH (sequence, event) {
      const auto* atom = reinterpret_cast<const uint8_t*>(&event->body);
      atoms.emplace_back(atom, atom + sizeof(LV2_Atom) + event->body.size);
    }
  }
  return atoms;
}

}  // namespace QuorvelHost
