#pragma once

#include <cstdint>

namespace VstToolkit {

// What the editor's MIDI-learn menus do to the learned controller map. The core gives
// them to the model it holds (ModelLearnCommands); an editor that shows an instance living
// across a channel gives them to that instance too (RemoteInstanceLink), so the menus exist once.
// User-interface thread, for every call.
class LearnCommands {
 public:
  virtual void StartLearning(int32_t index) = 0;
  virtual void StopLearning() = 0;
  virtual void ForgetController(uint8_t controller) = 0;
  virtual void ClearControllers() = 0;

 protected:
  ~LearnCommands() = default;
};

}  // namespace VstToolkit
