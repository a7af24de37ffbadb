// The module's entry: clap_entry, the plug-in factory and the one descriptor.
#include <cstring>

#include "host/clap/ClapBase.h"
#include "host/clap/CreateClapInstance.h"

namespace {

constexpr const char* kFeatures[] = {"audio-effect", "delay", "stereo", nullptr};

const clap_plugin_descriptor_t kDescriptor = {
    CLAP_VERSION,
    "com.quorvel.delay",
    "Quorvel Delay",
    "Quorvel Sound Design",
    "https://quorvel.example/delay",
    "",
    "",
    QUORVEL_CLAP_VERSION,
    "A stereo delay",
    kFeatures,
};

// Main thread, every call of the entry and the factory.
uint32_t FactoryPluginCount(const clap_plugin_factory_t*) {
  return 1;
}

const clap_plugin_descriptor_t* FactoryDescriptor(const clap_plugin_factory_t*, uint32_t index) {
  return index == 0 ? &kDescriptor : nullptr;
}

const clap_plugin_t* FactoryCreate(const clap_plugin_factory_t*, const clap_host_t* host, const char* pluginId) {
  if (host == nullptr || pluginId == nullptr || std::strcmp(pluginId, kDescriptor.id) != 0) {
    return nullptr;
  }
  return VstToolkit::CreateClapInstance(host, &kDescriptor);
}

const clap_plugin_factory_t kFactory = {&FactoryPluginCount, &FactoryDescriptor, &FactoryCreate};

// Nothing to set up or tear down: everything is made with each instance, and the editor's
// shared state lives as long as the module.
bool EntryInit(const char*) {
  return true;
}

void EntryDeinit() {}

const void* EntryGetFactory(const char* factoryId) {
  return factoryId != nullptr && std::strcmp(factoryId, CLAP_PLUGIN_FACTORY_ID) == 0 ? &kFactory : nullptr;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) const clap_plugin_entry_t clap_entry = {
    CLAP_VERSION, &EntryInit, &EntryDeinit, &EntryGetFactory};
