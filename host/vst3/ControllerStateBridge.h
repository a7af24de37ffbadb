#pragma once

#include "host/vst3/Vst3EditController.h"

namespace VstToolkit {

// IEditController's state calls under names of their own (see ComponentStateBridge).
class ControllerStateBridge : public Steinberg::Vst::IEditController {
 public:
  // The host's threads (never the audio thread).
  Steinberg::tresult setState(Steinberg::IBStream* state) final { return SetControllerState(state); }
  Steinberg::tresult getState(Steinberg::IBStream* state) final { return GetControllerState(state); }

 protected:
  ~ControllerStateBridge() = default;
  virtual Steinberg::tresult SetControllerState(Steinberg::IBStream* state) = 0;
  virtual Steinberg::tresult GetControllerState(Steinberg::IBStream* state) = 0;
};

}  // namespace VstToolkit
