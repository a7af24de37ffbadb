#include "instance/RemoteInstanceLink.h"

#include "instance/InstanceCore.h"
#include "instance/RemoteChannel.h"
#include "instance/RemoteMessages.h"
#include "model/Model.h"

namespace VstToolkit {

using Kind = RemoteMessages::Kind;

RemoteInstanceLink::RemoteInstanceLink(InstanceCore& mirrorCore, RemoteChannel& remoteChannel)
    : mirror(mirrorCore), channel(remoteChannel) {
  mirror.SetLearnCommands(*this);
}

void RemoteInstanceLink::Send(uint8_t kind, uint8_t argument) {
  uint8_t bytes[RemoteMessages::kCommandSize];
  const uint32_t size = RemoteMessages::EncodeCommand({static_cast<Kind>(kind), argument}, bytes);
  channel.SendToInstance(bytes, size);
}

void RemoteInstanceLink::AskForSnapshot() {
  Send(static_cast<uint8_t>(Kind::kHello));
}

bool RemoteInstanceLink::Receive(const uint8_t* bytes, uint32_t size) {
  RemoteMessages::Snapshot snapshot;
  if (!RemoteMessages::DecodeSnapshot(bytes, size, mirror.GetParameterCount(), snapshot)) {
    return false;
  }
  // Only what moved shows, so the status line names what the instance changed.
  for (int32_t i = 0; i < snapshot.parameterCount; ++i) {
    if (snapshot.values[i] != mirror.GetParameter(i)) {
      mirror.SetParameter(i, snapshot.values[i]);
    }
  }
  Model& model = mirror.GetModel();
  for (int32_t c = 0; c < RemoteMessages::kControllerCount; ++c) {
    const auto controller = static_cast<uint8_t>(c);
    const uint8_t parameter = snapshot.controllerMap[c];
    const int32_t mapped = parameter == RemoteMessages::kUnmapped ? -1 : parameter;
    if (model.MappedParameter(controller) == mapped) {
      continue;
    }
    if (mapped < 0) {
      model.UnregisterMidiControllerMapping(controller);
    } else {
      model.RegisterMidiControllerMapping(controller, mapped);
    }
  }
  const bool wasLearning = model.LearningParameter() >= 0;
  if (snapshot.learning >= 0) {
    model.StartLearningMidi(snapshot.learning);
  } else if (wasLearning) {
    // The instance learned (or stopped): the view shows it as the instance's own editor would.
    model.StopLearningMidi();
    mirror.OnModelMidiLearned();
  }
  return true;
}

void RemoteInstanceLink::StartLearning(int32_t index) {
  if (index < 0 || index >= mirror.GetParameterCount()) {
    return;
  }
  mirror.GetModel().StartLearningMidi(index);
  Send(static_cast<uint8_t>(Kind::kStartLearning), static_cast<uint8_t>(index));
}

void RemoteInstanceLink::StopLearning() {
  mirror.GetModel().StopLearningMidi();
  Send(static_cast<uint8_t>(Kind::kStopLearning));
}

void RemoteInstanceLink::ForgetController(uint8_t controller) {
  if (controller >= RemoteMessages::kControllerCount) {
    return;
  }
  mirror.GetModel().UnregisterMidiControllerMapping(controller);
  Send(static_cast<uint8_t>(Kind::kForgetController), controller);
}

void RemoteInstanceLink::ClearControllers() {
  mirror.GetModel().ClearMidiControllerMap();
  Send(static_cast<uint8_t>(Kind::kClearControllers));
}

}  // namespace VstToolkit
