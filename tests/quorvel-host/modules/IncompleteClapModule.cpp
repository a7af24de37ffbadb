// A CLAP module whose plug-in record lacks its process function: a host must refuse it
// when it makes the plug-in, not call through the null pointer later.
#include <string_view>

#include "host/clap/ClapBase.h"

#ifdef _WIN32
#define CLAP_MODULE_EXPORT extern "C" __declspec(dllexport)
#else
#define CLAP_MODULE_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

const char* const kFeatures[] = {"audio-effect", nullptr};
const clap_plugin_descriptor_t kDescriptor = {CLAP_VERSION, "test.incomplete", "Incomplete", "Test", "", "", "",
                                              "1.0", "", kFeatures};

bool Init(const clap_plugin_t*) {
  return true;
}
void Destroy(const clap_plugin_t*) {}
bool Activate(const clap_plugin_t*, double, uint32_t, uint32_t) {
  return true;
}
void Nothing(const clap_plugin_t*) {}
bool Start(const clap_plugin_t*) {
  return true;
}
const void* NoExtension(const clap_plugin_t*, const char*) {
  return nullptr;
}

const clap_plugin_t kPlugin = {&kDescriptor, nullptr, Init,    Destroy, Activate,    Nothing,
                               Start,        Nothing, Nothing, nullptr, NoExtension, Nothing};

uint32_t Count(const clap_plugin_factory_t*) {
  return 1;
}
const clap_plugin_descriptor_t* Descriptor(const clap_plugin_factory_t*, uint32_t) {
  return &kDescriptor;
}
const clap_plugin_t* Create(const clap_plugin_factory_t*, const clap_host_t*, const char*) {
  return &kPlugin;
}
const clap_plugin_factory_t kFactory = {Count, Descriptor, Create};

bool EntryInit(const char*) {
  return true;
}
void EntryDeinit() {}
const void* Factory(const char* id) {
  return id != nullptr && std::string_view(id) == CLAP_PLUGIN_FACTORY_ID ? &kFactory : nullptr;
}

}  // namespace

CLAP_MODULE_EXPORT const clap_plugin_entry_t clap_entry = {CLAP_VERSION, EntryInit, EntryDeinit, Factory};
