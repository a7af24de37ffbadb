#pragma once

#include "instance/LearnCommands.h"

namespace VstToolkit {

class Model;

// The menus' commands as the model itself carries them out: the instance's own editor.
// User-interface thread, for every call.
class ModelLearnCommands final : public LearnCommands {
 public:
  explicit ModelLearnCommands(Model& model_) : model(model_) {}

  void StartLearning(int32_t index) override;
  void StopLearning() override;
  void ForgetController(uint8_t controller) override;
  void ClearControllers() override;

 private:
  Model& model;
};

}  // namespace VstToolkit
