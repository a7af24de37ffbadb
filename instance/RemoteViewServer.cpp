#include "instance/RemoteViewServer.h"

#include "instance/RemoteMessages.h"
#include "model/Model.h"

namespace VstToolkit {

using Kind = RemoteMessages::Kind;

bool RemoteViewServer::Receive(const uint8_t* bytes, uint32_t size) {
  const RemoteMessages::Command command = RemoteMessages::DecodeCommand(bytes, size);
  switch (command.kind) {
    case Kind::kHello:
      break;
    case Kind::kStartLearning:
      if (command.argument >= model.GetParameterCount()) {
        return false;
      }
      model.StartLearningMidi(command.argument);
      break;
    case Kind::kStopLearning:
      model.StopLearningMidi();
      break;
    case Kind::kForgetController:
      model.UnregisterMidiControllerMapping(command.argument);
      break;
    case Kind::kClearControllers:
      model.ClearMidiControllerMap();
      break;
    default:
      return false;
  }
  MarkChanged();
  return true;
}

uint32_t RemoteViewServer::TakeSnapshot(uint8_t* out, uint32_t capacity) {
  if (!due.load(std::memory_order_relaxed) || !due.exchange(false, std::memory_order_acquire)) {
    return 0;
  }
  RemoteMessages::Snapshot snapshot;
  const int32_t count = model.GetParameterCount();
  snapshot.parameterCount = count <= RemoteMessages::kMaxParameters ? count : RemoteMessages::kMaxParameters;
  for (int32_t i = 0; i < snapshot.parameterCount; ++i) {
    snapshot.values[i] = model.GetParameterValue(i);
  }
  snapshot.learning = model.LearningParameter();
  for (int32_t c = 0; c < RemoteMessages::kControllerCount; ++c) {
    const int32_t parameter = model.MappedParameter(static_cast<uint8_t>(c));
    snapshot.controllerMap[c] = parameter >= 0 && parameter < snapshot.parameterCount
                                    ? static_cast<uint8_t>(parameter)
                                    : RemoteMessages::kUnmapped;
  }
  const uint32_t size = RemoteMessages::EncodeSnapshot(snapshot, out, capacity);
  if (size == 0) {
    due.store(true, std::memory_order_relaxed);
  }
  return size;
}

}  // namespace VstToolkit
