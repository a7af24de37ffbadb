#pragma once

#include "host/clap/ClapBase.h"

namespace VstToolkit {

// Builds one complete CLAP instance: the delay's model, the face that owns it, and the
// platform's editor. Returns the record the host holds, or null when none could be made.
// The host's main thread.
const clap_plugin_t* CreateClapInstance(const clap_host_t* host, const clap_plugin_descriptor_t* descriptor);

}  // namespace VstToolkit
