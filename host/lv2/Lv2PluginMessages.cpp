// The atom pair between the UI and the plug-in, and what the core tells the host. The UI
// holds the editor on a mirror of this instance; the messages carry what the control ports
// do not (RemoteMessages): its MIDI-learn commands in, snapshots out.
#include <lv2/atom/util.h>

#include <cstdint>

#include "host/lv2/Lv2Plugin.h"

namespace VstToolkit {

// Only atom:Chunk events whole inside the sequence the host gave count; their bytes are
// checked by the decoder.
void Lv2Plugin::ReadUiMessages() {
  if (uiPort == nullptr || uiPort->atom.type != atomSequence || uiPort->atom.size < sizeof(LV2_Atom_Sequence_Body)) {
    return;
  }
  const auto* end = reinterpret_cast<const uint8_t*>(&uiPort->body) + uiPort->atom.size;
  LV2_ATOM_SEQUENCE_FOREACH (uiPort, event) {
    const auto* body = static_cast<const uint8_t*>(LV2_ATOM_BODY_CONST(&event->body));
    if (body > end || event->body.size > static_cast<uint32_t>(end - body)) {
      break;
    }
    if (event->body.type == atomChunk) {
      remoteView.Receive(body, event->body.size);
    }
  }
}

// The notify port always gets a sequence, empty where the UI has nothing to hear; the
// host gave its capacity as the atom's size.
void Lv2Plugin::WriteNotifications() {
  if (notifyPort == nullptr) {
    return;
  }
  const uint32_t capacity = notifyPort->atom.size;
  if (capacity < sizeof(LV2_Atom_Sequence_Body)) {
    return;
  }
  notifyPort->atom.type = atomSequence;
  notifyPort->atom.size = static_cast<uint32_t>(sizeof(LV2_Atom_Sequence_Body));
  notifyPort->body.unit = 0;
  notifyPort->body.pad = 0;
  const uint32_t room = capacity - static_cast<uint32_t>(sizeof(LV2_Atom_Sequence_Body));
  if (room < sizeof(LV2_Atom_Event)) {
    return;
  }
  auto* event = reinterpret_cast<LV2_Atom_Event*>(&notifyPort->body + 1);
  // The event's padding must fit too: the body gets whole 8-byte words only.
  const uint32_t bodyRoom = (room - static_cast<uint32_t>(sizeof(LV2_Atom_Event))) & ~7u;
  const uint32_t size = remoteView.TakeSnapshot(reinterpret_cast<uint8_t*>(event + 1), bodyRoom);
  if (size == 0) {
    return;
  }
  event->time.frames = 0;
  event->body.type = atomChunk;
  event->body.size = size;
  notifyPort->atom.size += static_cast<uint32_t>(sizeof(LV2_Atom_Event)) + lv2_atom_pad_size(size);
}

// The editor is the UI's, on a core of its own: this core has no view, and hears no gestures.
void Lv2Plugin::BeginParameterEdit(int32_t) {}

void Lv2Plugin::PerformParameterEdit(int32_t, float) {}

void Lv2Plugin::EndParameterEdit(int32_t) {}

bool Lv2Plugin::ResizeEditor(int32_t, int32_t) {
  return false;
}

// A learned controller moved a value the host's control port does not show: the UI hears
// it in this run's notification.
void Lv2Plugin::ParameterSetByPlugin(int32_t, float) {
  remoteView.MarkChanged();
}

// The host saves the whole state whenever it saves; the UI hears of a controller learned.
void Lv2Plugin::StateChanged() {
  remoteView.MarkChanged();
}

}  // namespace VstToolkit
