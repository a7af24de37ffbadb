// The one place that wires the model, the delay and the editor to the VST3 face.
#include "host/vst3/CreateVst3Instance.h"

#include <memory>
#include <new>

#include "delay/QuorvelDelayModel.h"
#include "host/vst3/Vst3EditorAttachment.h"
#include "host/vst3/Vst3Plugin.h"

namespace VstToolkit {

Vst3Plugin* CreateVst3Instance() {
  // Nothing of ours throws, but an allocation can fail; the host must see no instance
  // then, never an exception crossing into its own code.
  try {
    auto* plugin = new Vst3Plugin(std::make_unique<QuorvelDelayModel>());
    AttachVst3Editor(*plugin);
    return plugin;
  } catch (...) {
    return nullptr;
  }
}

}  // namespace VstToolkit
