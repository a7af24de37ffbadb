// The module's exported entry point. The linker also exports it as `main`
// (QuorvelDelay.def, --defsym), the name older hosts look for.
#include "host/vst2/Controller.h"
#include "host/vst2/CreateEffectInstance.h"
#include "host/vst2/VstInterface.h"

extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(audioMasterCallback audioMaster) {
  if (audioMaster == nullptr || audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) {
    return nullptr;
  }
  // Nothing of ours throws, but an allocation can fail; the host must see a null
  // instance then, never an exception crossing into its own code.
  try {
    VstToolkit::Controller* controller = VstToolkit::createEffectInstance(audioMaster);
    return controller != nullptr ? controller->getAeffect() : nullptr;
  } catch (...) {
    return nullptr;
  }
}
