// The plug-in's shared object: the descriptor hosts find through lv2_descriptor, its calls
// translated into the face, and the instance wired with the model and the delay. No
// editor: it lives in the UI's shared object, so this one needs no GUI library.
#include <lv2/core/lv2.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include <cmath>
#include <cstring>
#include <memory>

#include "delay/QuorvelDelayModel.h"
#include "host/lv2/Lv2Identity.h"
#include "host/lv2/Lv2Plugin.h"

namespace VstToolkit {
namespace {

Lv2Plugin* PluginOf(LV2_Handle handle) {
  return static_cast<Lv2Plugin*>(handle);
}

const LV2_URID_Map* FindMap(const LV2_Feature* const* features) {
  for (; features != nullptr && *features != nullptr; ++features) {
    if ((*features)->URI != nullptr && std::strcmp((*features)->URI, LV2_URID__map) == 0) {
      return static_cast<const LV2_URID_Map*>((*features)->data);
    }
  }
  return nullptr;
}

// The host's thread. No instance without urid:map, or at a rate that is no rate.
LV2_Handle Instantiate(const LV2_Descriptor*, double rate, const char*, const LV2_Feature* const* features) {
  const LV2_URID_Map* map = FindMap(features);
  if (map == nullptr || map->map == nullptr || !(rate > 0.0) || !std::isfinite(rate)) {
    return nullptr;
  }
  // Nothing of ours throws, but an allocation can fail; the host then sees no instance.
  try {
    return new Lv2Plugin(std::make_unique<QuorvelDelayModel>(), *map, rate);
  } catch (...) {
    return nullptr;
  }
}

void ConnectPort(LV2_Handle handle, uint32_t port, void* data) {
  PluginOf(handle)->ConnectPort(port, data);
}

void Activate(LV2_Handle handle) {
  PluginOf(handle)->Activate();
}

void Run(LV2_Handle handle, uint32_t frames) {
  PluginOf(handle)->Run(frames);
}

void Deactivate(LV2_Handle handle) {
  PluginOf(handle)->Deactivate();
}

void Cleanup(LV2_Handle handle) {
  delete PluginOf(handle);
}

LV2_State_Status Save(LV2_Handle handle, LV2_State_Store_Function store, LV2_State_Handle state, uint32_t,
                      const LV2_Feature* const*) {
  return PluginOf(handle)->Save(store, state);
}

LV2_State_Status Restore(LV2_Handle handle, LV2_State_Retrieve_Function retrieve, LV2_State_Handle state, uint32_t,
                         const LV2_Feature* const*) {
  return PluginOf(handle)->Restore(retrieve, state);
}

const LV2_State_Interface kStateInterface = {Save, Restore};

const void* ExtensionData(const char* uri) {
  return uri != nullptr && std::strcmp(uri, LV2_STATE__interface) == 0 ? &kStateInterface : nullptr;
}

const LV2_Descriptor kDescriptor = {Lv2Identity::kPluginUri, Instantiate, ConnectPort, Activate, Run,
                                    Deactivate, Cleanup, ExtensionData};

}  // namespace
}  // namespace VstToolkit

// Any thread: the one plug-in of the bundle.
LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index) {
  return index == 0 ? &VstToolkit::kDescriptor : nullptr;
}
