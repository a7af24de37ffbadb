#include "instance/ModelLearnCommands.h"

#include "model/Model.h"

namespace VstToolkit {

void ModelLearnCommands::StartLearning(int32_t index) {
  model.StartLearningMidi(index);
}

void ModelLearnCommands::StopLearning() {
  model.StopLearningMidi();
}

void ModelLearnCommands::ForgetController(uint8_t controller) {
  model.UnregisterMidiControllerMapping(controller);
}

void ModelLearnCommands::ClearControllers() {
  model.ClearMidiControllerMap();
}

}  // namespace VstToolkit
