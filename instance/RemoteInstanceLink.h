#pragma once

#include <cstdint>

#include "instance/LearnCommands.h"

namespace VstToolkit {

class InstanceCore;
class RemoteChannel;

// The editor's side of an instance that lives across a channel. The editor runs on a core
// of its own whose model only mirrors the instance's: the host's channel brings the
// values (InstanceCore::SetParameter), this link brings the rest from the instance's
// snapshots (RemoteViewServer), and passes the MIDI-learn menus' commands on. The mirror
// takes each command at once as well, so the menus show it before the instance answers.
// User-interface thread, for every call.
class RemoteInstanceLink final : public LearnCommands {
 public:
  // Takes the mirror core's menus' commands.
  RemoteInstanceLink(InstanceCore& mirror, RemoteChannel& channel);
  RemoteInstanceLink(const RemoteInstanceLink&) = delete;
  RemoteInstanceLink& operator=(const RemoteInstanceLink&) = delete;

  // Asks the instance for a snapshot (a view just opened).
  void AskForSnapshot();
  // A message from the instance; false, changing nothing, for bytes that are no snapshot.
  bool Receive(const uint8_t* bytes, uint32_t size);

  void StartLearning(int32_t index) override;
  void StopLearning() override;
  void ForgetController(uint8_t controller) override;
  void ClearControllers() override;

 private:
  void Send(uint8_t kind, uint8_t argument = 0);

  InstanceCore& mirror;
  RemoteChannel& channel;
};

}  // namespace VstToolkit
