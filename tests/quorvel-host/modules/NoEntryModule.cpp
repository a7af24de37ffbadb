// A shared library that is no VST2 module: it exports no entry point.
#include "tests/quorvel-host/modules/ModuleExport.h"

extern "C" int QuorvelNotAPlugin() {
  return 0;
}
