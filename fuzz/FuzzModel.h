#pragma once

#include <cstdint>

#include "model/ControllerLink.h"
#include "model/Model.h"

namespace QuorvelFuzz {

// Stops the run with a message; libFuzzer records the input that got here.
void Check(bool condition, const char* what);

// A model with the plug-in's identity and twelve plain parameters that checks
// every piece of audio it is asked for: it must start where the previous piece
// ended and stay inside the current block, whose buffers are exactly that long.
class FuzzModel final : public VstToolkit::Model {
 public:
  static constexpr int32_t kParameterCount = 12;

  FuzzModel();

  // Runs one block through ProcessBlock on buffers of exactly `frames` frames.
  void RunBlock(int32_t frames);
  void Process(float** inputs, float** outputs, int32_t offset, int32_t count) override;

  int32_t parameterChanges = 0;

 protected:
  void OnParameterValueChanged(int32_t index, float oldValue, float newValue) override;

 private:
  int32_t blockFrames = 0;
  int32_t position = 0;
};

// Checks what MIDI dispatch reports: a parameter inside the table and a value from 0 to 1.
class FuzzLink final : public VstToolkit::ControllerLink {
 public:
  void OnModelMidiLearned() override {}
  void OnModelParameterValueChanged(int32_t index, float value) override;
};

}  // namespace QuorvelFuzz
