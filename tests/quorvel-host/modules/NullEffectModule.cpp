// A module whose entry point makes no instance.
#include "host/vst2/VstInterface.h"
#include "tests/quorvel-host/modules/ModuleExport.h"

TEST_MODULE_ENTRY VSTPluginMain(audioMasterCallback) {
  return nullptr;
}
