// The UI's shared object: the descriptor hosts find through lv2ui_descriptor. It holds
// the editor, and reaches the plug-in instance only through the host's ports.
#include <lv2/atom/atom.h>
#include <lv2/options/options.h>
#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>

#include <cstring>
#include <memory>

#include "host/lv2/Lv2Identity.h"
#include "host/lv2/Lv2Ui.h"

namespace VstToolkit {
namespace {

struct UiFeatures {
  void* parent = nullptr;
  const LV2UI_Touch* touch = nullptr;
  const LV2UI_Resize* resize = nullptr;
  const LV2_URID_Map* map = nullptr;
  const LV2_Options_Option* options = nullptr;
};

UiFeatures ReadFeatures(const LV2_Feature* const* features) {
  UiFeatures found;
  for (; features != nullptr && *features != nullptr; ++features) {
    const char* uri = (*features)->URI;
    void* data = (*features)->data;
    if (uri == nullptr) {
      continue;
    }
    if (std::strcmp(uri, LV2_UI__parent) == 0) {
      found.parent = data;
    } else if (std::strcmp(uri, LV2_UI__touch) == 0) {
      found.touch = static_cast<const LV2UI_Touch*>(data);
    } else if (std::strcmp(uri, LV2_UI__resize) == 0) {
      found.resize = static_cast<const LV2UI_Resize*>(data);
    } else if (std::strcmp(uri, LV2_URID__map) == 0) {
      found.map = static_cast<const LV2_URID_Map*>(data);
    } else if (std::strcmp(uri, LV2_OPTIONS__options) == 0) {
      found.options = static_cast<const LV2_Options_Option*>(data);
    }
  }
  return found;
}

// The host's ui:scaleFactor among its options, or 0 where it gives none.
float ScaleOf(const UiFeatures& features) {
  if (features.map == nullptr || features.map->map == nullptr || features.options == nullptr) {
    return 0.0f;
  }
  const LV2_URID key = features.map->map(features.map->handle, LV2_UI__scaleFactor);
  const LV2_URID floatType = features.map->map(features.map->handle, LV2_ATOM__Float);
  for (const LV2_Options_Option* option = features.options; option->key != 0; ++option) {
    if (option->key == key && option->type == floatType && option->size == sizeof(float) &&
        option->value != nullptr) {
      return *static_cast<const float*>(option->value);
    }
  }
  return 0.0f;
}

LV2UI_Handle Instantiate(const LV2UI_Descriptor*, const char* pluginUri, const char*, LV2UI_Write_Function write,
                         LV2UI_Controller controller, LV2UI_Widget* widget, const LV2_Feature* const* features) {
  const UiFeatures found = ReadFeatures(features);
  if (pluginUri == nullptr || std::strcmp(pluginUri, Lv2Identity::kPluginUri) != 0 || found.parent == nullptr ||
      found.map == nullptr || found.map->map == nullptr || widget == nullptr) {
    return nullptr;
  }
  try {
    auto ui = std::make_unique<Lv2Ui>(*found.map, write, controller, found.touch, found.resize);
    if (!ui->Open(reinterpret_cast<uintptr_t>(found.parent), ScaleOf(found))) {
      return nullptr;
    }
    // The widget is the editor's own window, a child of the host's: hosts that embed or
    // reparent it must not be handed their own window back.
    *widget = reinterpret_cast<LV2UI_Widget>(ui->Widget());
    return ui.release();
  } catch (...) {
    return nullptr;
  }
}

void Cleanup(LV2UI_Handle handle) {
  delete static_cast<Lv2Ui*>(handle);
}

void PortEvent(LV2UI_Handle handle, uint32_t port, uint32_t size, uint32_t format, const void* buffer) {
  static_cast<Lv2Ui*>(handle)->PortEvent(port, size, format, buffer);
}

int Idle(LV2UI_Handle handle) {
  return static_cast<Lv2Ui*>(handle)->Idle();
}

const LV2UI_Idle_Interface kIdleInterface = {Idle};

const void* ExtensionData(const char* uri) {
  return uri != nullptr && std::strcmp(uri, LV2_UI__idleInterface) == 0 ? &kIdleInterface : nullptr;
}

const LV2UI_Descriptor kDescriptor = {Lv2Identity::kUiUri, Instantiate, Cleanup, PortEvent, ExtensionData};

}  // namespace
}  // namespace VstToolkit

// Any thread: the bundle's one UI.
LV2_SYMBOL_EXPORT const LV2UI_Descriptor* lv2ui_descriptor(uint32_t index) {
  return index == 0 ? &VstToolkit::kDescriptor : nullptr;
}
