// The module's factory entry point, the one every platform exports.
#include "delay/QuorvelDelayDescription.h"
#include "host/vst3/CreateVst3Instance.h"
#include "host/vst3/Vst3Factory.h"

// The host's main thread. The factory lives as long as the module; each call hands the
// host a reference of its own.
extern "C" __attribute__((visibility("default"))) Steinberg::IPluginFactory* GetPluginFactory() {
  static VstToolkit::Vst3Factory factory(kQuorvelDelayDescription, &VstToolkit::CreateVst3Instance);
  factory.addRef();
  return &factory;
}
