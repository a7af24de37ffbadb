#pragma once

#include "host/vst3/Vst3Processor.h"

namespace VstToolkit {

// IComponent's state calls under names of their own. The component and the edit
// controller declare getState and setState alike; an object that is both needs a class
// in between for each, so that the host's component state and its controller state reach
// different functions.
class ComponentStateBridge : public Steinberg::Vst::IComponent {
 public:
  // The host's threads (never the audio thread).
  Steinberg::tresult setState(Steinberg::IBStream* state) final { return SetComponentState(state); }
  Steinberg::tresult getState(Steinberg::IBStream* state) final { return GetComponentState(state); }

 protected:
  ~ComponentStateBridge() = default;
  virtual Steinberg::tresult SetComponentState(Steinberg::IBStream* state) = 0;
  virtual Steinberg::tresult GetComponentState(Steinberg::IBStream* state) = 0;
};

}  // namespace VstToolkit
