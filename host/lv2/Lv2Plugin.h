#pragma once

#include <lv2/atom/atom.h>
#include <lv2/core/lv2.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include <atomic>
#include <cstdint>
#include <memory>

#include "host/lv2/Lv2Identity.h"
#include "host/lv2/Lv2TimeReader.h"
#include "instance/InstanceCore.h"
#include "instance/InstanceHost.h"
#include "instance/RemoteViewServer.h"

namespace VstToolkit {

class Model;

// The LV2 face of the plug-in: one instance, its ports and its state. Control inputs hold
// values in units (seconds, hertz, -100..+100, toggles, choice numbers); they count when
// they differ from their value at the previous run (before the first, from their default;
// after a state restore, from the values the state holds), and act then, in port order, as
// VST2's setParameter with the value they stand for before the block; MIDI events and
// time:Position objects act at their frames, time first. The editor lives in the UI's
// binary and reaches the instance only through the ports: the control inputs, and the UI's
// messages and the plug-in's notifications (Lv2PluginMessages.cpp). The host's ports and
// atoms are checked here; indices and values in the core.
class Lv2Plugin final : private InstanceHost {
 public:
  // The host's thread, at instantiation: takes ownership of the model (not null).
  Lv2Plugin(std::unique_ptr<Model> model, const LV2_URID_Map& map, double sampleRate);
  ~Lv2Plugin();
  Lv2Plugin(const Lv2Plugin&) = delete;
  Lv2Plugin& operator=(const Lv2Plugin&) = delete;

  // Any thread: the core this face translates into.
  InstanceCore& Core() { return core; }

  // The host's thread (connect_port may also come between runs on the audio thread).
  void ConnectPort(uint32_t port, void* data);
  // The host's thread, never during run: activated again after a deactivation, the next
  // run starts afresh (the echoes dropped as a transport stop drops them).
  void Activate();
  void Deactivate() { deactivated = true; }
  // Audio thread.
  void Run(uint32_t frames);

  // State (Lv2PluginState.cpp): the host's main thread, never during run.
  LV2_State_Status Save(LV2_State_Store_Function store, LV2_State_Handle handle);
  LV2_State_Status Restore(LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle);

 private:
  // What the core tells the host (Lv2PluginMessages.cpp).
  void BeginParameterEdit(int32_t index) override;
  void PerformParameterEdit(int32_t index, float value) override;
  void EndParameterEdit(int32_t index) override;
  void ParameterSetByPlugin(int32_t index, float value) override;
  bool ResizeEditor(int32_t width, int32_t height) override;
  void StateChanged() override;

  // The block's parts (audio thread).
  void ApplyControlChanges();
  void ProcessEvents(uint32_t frames);
  void ProcessPiece(uint32_t start, uint32_t end);
  // The UI's messages and the notifications for it (Lv2PluginMessages.cpp).
  void ReadUiMessages();
  void WriteNotifications();
  // The next event of a sequence at or after `event` that the port takes (a time:Position
  // on the time input, a MIDI message of one to three bytes on the MIDI input), or null.
  const LV2_Atom_Event* NextEvent(const LV2_Atom_Sequence* sequence, const LV2_Atom_Event* event, bool time) const;

  InstanceCore core;
  Lv2TimeReader timeReader;
  RemoteViewServer remoteView;
  LV2_URID atomSequence;
  LV2_URID atomChunk;
  LV2_URID midiEvent;
  LV2_URID stateKey;
  const float* inputs[2] = {};
  float* outputs[2] = {};
  const float* controls[Lv2Identity::kParameterCount] = {};
  const LV2_Atom_Sequence* midiPort = nullptr;
  const LV2_Atom_Sequence* timePort = nullptr;
  const LV2_Atom_Sequence* uiPort = nullptr;
  LV2_Atom_Sequence* notifyPort = nullptr;
  // Each control input's value at the previous run (audio thread).
  float previous[Lv2Identity::kParameterCount] = {};
  // Set by a state restore: the next run takes the values it holds as the previous ones.
  std::atomic<bool> previousFromState{false};
  bool deactivated = false;                // the host's thread
};

}  // namespace VstToolkit
