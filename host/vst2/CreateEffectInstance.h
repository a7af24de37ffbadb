#pragma once

#include "host/vst2/VstInterface.h"

namespace VstToolkit {

class Controller;

// Builds one complete plug-in instance: the delay's model, the Controller that
// owns it, and the platform's editor. Returns null when none could be made.
// Threads: whichever thread the host loads the plug-in on.
Controller* createEffectInstance(audioMasterCallback audioMaster);

}  // namespace VstToolkit
