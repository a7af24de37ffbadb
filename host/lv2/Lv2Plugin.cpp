// The instance, its ports and its block.
#include "host/lv2/Lv2Plugin.h"

#include <lv2/atom/util.h>
#include <lv2/midi/midi.h>

#include <cstdint>

#include "model/MidiMessage.h"
#include "model/Model.h"

namespace VstToolkit {

namespace {

LV2_URID Map(const LV2_URID_Map& map, const char* uri) {
  return map.map(map.handle, uri);
}

}  // namespace

Lv2Plugin::Lv2Plugin(std::unique_ptr<Model> model, const LV2_URID_Map& map, double sampleRate)
    : core(std::move(model)),
      timeReader(map),
      remoteView(core.GetModel()),
      atomSequence(Map(map, LV2_ATOM__Sequence)),
      atomChunk(Map(map, LV2_ATOM__Chunk)),
      midiEvent(Map(map, LV2_MIDI__MidiEvent)),
      stateKey(Map(map, Lv2Identity::kStateKeyUri)) {
  core.Attach(*this);
  core.SetSampleRate(static_cast<float>(sampleRate));
  for (uint32_t i = 0; i < Lv2Identity::kParameterCount; ++i) {
    previous[i] = core.GetParameterDetails(static_cast<int32_t>(i)).defaultUnits;
  }
}

Lv2Plugin::~Lv2Plugin() = default;

void Lv2Plugin::ConnectPort(uint32_t port, void* data) {
  if (port < Lv2Identity::kFirstControl) {
    if (port < Lv2Identity::kOutputLeft) {
      inputs[port - Lv2Identity::kInputLeft] = static_cast<const float*>(data);
    } else {
      outputs[port - Lv2Identity::kOutputLeft] = static_cast<float*>(data);
    }
  } else if (port < Lv2Identity::kMidiInput) {
    controls[port - Lv2Identity::kFirstControl] = static_cast<const float*>(data);
  } else if (port == Lv2Identity::kMidiInput) {
    midiPort = static_cast<const LV2_Atom_Sequence*>(data);
  } else if (port == Lv2Identity::kTimeInput) {
    timePort = static_cast<const LV2_Atom_Sequence*>(data);
  } else if (port == Lv2Identity::kUiInput) {
    uiPort = static_cast<const LV2_Atom_Sequence*>(data);
  } else if (port == Lv2Identity::kUiNotify) {
    notifyPort = static_cast<LV2_Atom_Sequence*>(data);
  }
}

void Lv2Plugin::Activate() {
  if (deactivated) {
    deactivated = false;
    core.StartAfresh();
  }
}

void Lv2Plugin::Run(uint32_t frames) {
  ApplyControlChanges();
  ReadUiMessages();
  ProcessEvents(frames);
  WriteNotifications();
}

// A control input counts only when the host changed it, never by comparison with the
// parameter, which a learned controller may have moved since. A restored state's values
// count as the previous ones, so a host restoring its ports to them changes nothing.
void Lv2Plugin::ApplyControlChanges() {
  if (previousFromState.load(std::memory_order_relaxed) &&
      previousFromState.exchange(false, std::memory_order_acquire)) {
    for (uint32_t i = 0; i < Lv2Identity::kParameterCount; ++i) {
      const auto index = static_cast<int32_t>(i);
      previous[i] = core.ValueToUnits(index, core.GetParameter(index));
    }
  }
  for (uint32_t i = 0; i < Lv2Identity::kParameterCount; ++i) {
    if (controls[i] == nullptr) {
      continue;
    }
    const float value = *controls[i];
    if (value != previous[i]) {
      previous[i] = value;
      core.SetParameterInUnits(static_cast<int32_t>(i), value);
    }
  }
}

const LV2_Atom_Event* Lv2Plugin::NextEvent(const LV2_Atom_Sequence* sequence, const LV2_Atom_Event* event,
                                           bool time) const {
  if (sequence == nullptr || sequence->atom.type != atomSequence) {
    return nullptr;
  }
  for (; !lv2_atom_sequence_is_end(&sequence->body, sequence->atom.size, event);
       event = lv2_atom_sequence_next(event)) {
    if (time ? event->body.size >= sizeof(LV2_Atom_Object_Body) &&
                   timeReader.IsPosition(event->body.type, LV2_ATOM_BODY_CONST(&event->body))
             : event->body.type == midiEvent && event->body.size >= 1 && event->body.size <= 3) {
      return event;
    }
  }
  return nullptr;
}

// MIDI goes to the core with its frame as the VST2 delta; a time:Position inside the block
// cuts it there, acting before MIDI at the same frame, as a VST2 host's next block's time
// information would.
void Lv2Plugin::ProcessEvents(uint32_t frames) {
  const LV2_Atom_Event* midi =
      midiPort != nullptr ? NextEvent(midiPort, lv2_atom_sequence_begin(&midiPort->body), false) : nullptr;
  const LV2_Atom_Event* time =
      timePort != nullptr ? NextEvent(timePort, lv2_atom_sequence_begin(&timePort->body), true) : nullptr;
  uint32_t start = 0;
  while (midi != nullptr || time != nullptr) {
    if (time != nullptr && (midi == nullptr || time->time.frames <= midi->time.frames)) {
      const int64_t at = time->time.frames;
      const uint32_t frame = at <= 0 ? 0u : (at >= static_cast<int64_t>(frames) ? frames : static_cast<uint32_t>(at));
      if (frame > start) {
        ProcessPiece(start, frame);
        start = frame;
      }
      const auto* object = reinterpret_cast<const LV2_Atom_Object*>(&time->body);
      core.SetHostTime(timeReader.Read(&object->body, object->atom.size));
      time = NextEvent(timePort, lv2_atom_sequence_next(time), true);
      continue;
    }
    const int64_t at = midi->time.frames - static_cast<int64_t>(start);
    const int32_t delta = at <= 0 ? 0 : (at > INT32_MAX ? INT32_MAX : static_cast<int32_t>(at));
    const auto* bytes = static_cast<const uint8_t*>(LV2_ATOM_BODY_CONST(&midi->body));
    const uint32_t size = midi->body.size;
    core.PushMidi(MidiMessage{delta, bytes[0], size > 1 ? bytes[1] : uint8_t{0}, size > 2 ? bytes[2] : uint8_t{0}});
    midi = NextEvent(midiPort, lv2_atom_sequence_next(midi), false);
  }
  ProcessPiece(start, frames);
}

void Lv2Plugin::ProcessPiece(uint32_t start, uint32_t end) {
  if (end <= start || inputs[0] == nullptr || inputs[1] == nullptr || outputs[0] == nullptr ||
      outputs[1] == nullptr) {
    return;
  }
  // The core reads its inputs only; LV2 lets them be the outputs' buffers.
  float* in[2] = {const_cast<float*>(inputs[0]) + start, const_cast<float*>(inputs[1]) + start};
  float* out[2] = {outputs[0] + start, outputs[1] + start};
  core.ProcessBlock(in, out, static_cast<int32_t>(end - start));
}

}  // namespace VstToolkit
