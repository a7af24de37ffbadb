// The one place that wires the model, the delay and the editor to the CLAP face.
#include "host/clap/CreateClapInstance.h"

#include <memory>
#include <new>

#include "delay/QuorvelDelayModel.h"
#include "host/clap/ClapEditorAttachment.h"
#include "host/clap/ClapPlugin.h"

namespace VstToolkit {

const clap_plugin_t* CreateClapInstance(const clap_host_t* host, const clap_plugin_descriptor_t* descriptor) {
  // Nothing of ours throws, but an allocation can fail; the host must see no instance
  // then, never an exception crossing into its own code.
  try {
    auto* plugin = new ClapPlugin(host, descriptor, std::make_unique<QuorvelDelayModel>());
    AttachClapEditor(*plugin);
    return plugin->Record();
  } catch (...) {
    return nullptr;
  }
}

}  // namespace VstToolkit
