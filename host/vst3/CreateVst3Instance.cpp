// The one place that wires the model, the delay and the editor to the VST3 face.
#include "host/vst3/CreateVst3Instance.h"

#include <memory>
#include <new>

#include "delay/QuorvelDelayModel.h"
#include "host/vst3/Vst3Plugin.h"

namespace VstToolkit {

Vst3Plugin* CreateVst3Instance() {
  // Nothing of ours throws, but an allocation can fail; the host must see no instance
  // then, never an exception crossing into its own code.
  try {
    return new Vst3Plugin(std::make_unique<QuorvelDelayModel>());
  } catch (...) {
    return nullptr;
  }
}

}  // namespace VstToolkit
