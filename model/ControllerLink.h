#pragma once

#include <cstdint>

namespace VstToolkit {

// What MIDI dispatch tells the object that owns the model (the plug-in's
// Controller). Declared here so that the model depends on nothing above it.
class ControllerLink {
 public:
  // Audio thread: a control change completed MIDI learn.
  virtual void OnModelMidiLearned() = 0;
  // Audio thread: a mapped controller set a parameter.
  virtual void OnModelParameterValueChanged(int32_t index, float value) = 0;

 protected:
  ~ControllerLink() = default;
};

}  // namespace VstToolkit
