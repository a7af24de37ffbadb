// A module whose record is not a VST2 effect record (no magic, no functions).
#include "host/vst2/VstInterface.h"
#include "tests/quorvel-host/modules/ModuleExport.h"

namespace {
AEffect record{};
}

TEST_MODULE_ENTRY VSTPluginMain(audioMasterCallback) {
  return &record;
}
