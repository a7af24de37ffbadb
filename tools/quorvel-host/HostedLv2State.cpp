// The plug-in's state, through its state interface: one property, as it saves it.
#include <lilv/lilv.h>
#include <lv2/atom/atom.h>
#include <lv2/state/state.h>

#include "tools/quorvel-host/HostedLv2.h"
#include "tools/quorvel-host/Lv2World.h"

namespace QuorvelHost {

namespace {

// The property a state save hands over, or that a restore reads.
struct StateRecord {
  LV2_URID key = 0;
  std::vector<uint8_t> bytes;
  LV2_URID type = 0;
  uint32_t flags = 0;
};

LV2_State_Status Store(LV2_State_Handle handle, uint32_t key, const void* value, size_t size, uint32_t type,
                       uint32_t flags) {
  auto* record = static_cast<StateRecord*>(handle);
  record->key = key;
  const auto* bytes = static_cast<const uint8_t*>(value);
  record->bytes.assign(bytes, bytes + size);
  record->type = type;
  record->flags = flags;
  return LV2_STATE_SUCCESS;
}

const void* Retrieve(LV2_State_Handle handle, uint32_t key, size_t* size, uint32_t* type, uint32_t* flags) {
  auto* record = static_cast<StateRecord*>(handle);
  if (key != record->key) {
    return nullptr;
  }
  *size = record->bytes.size();
  *type = record->type;
  *flags = LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE;
  return record->bytes.data();
}

}  // namespace

std::vector<uint8_t> HostedLv2::SaveState(std::string* type) {
  const auto* state =
      static_cast<const LV2_State_Interface*>(lilv_instance_get_extension_data(instance_, LV2_STATE__interface));
  StateRecord record;
  LV2_Feature map{LV2_URID__map, World().MapFeature()};
  const LV2_Feature* features[] = {&map, nullptr};
  if (state == nullptr || state->save(lilv_instance_get_handle(instance_), Store, &record, 0, features) !=
                              LV2_STATE_SUCCESS) {
    return {};
  }
  if (type != nullptr) {
    const char* uri = World().Unmap(record.type);
    *type = uri != nullptr ? uri : "";
  }
  return record.bytes;
}

bool HostedLv2::RestoreState(const std::vector<uint8_t>& bytes, const std::string& type) {
  const auto* state =
      static_cast<const LV2_State_Interface*>(lilv_instance_get_extension_data(instance_, LV2_STATE__interface));
  if (state == nullptr) {
    return false;
  }
  // The key is the one the plug-in saves under.
  StateRecord probe;
  LV2_Feature map{LV2_URID__map, World().MapFeature()};
  const LV2_Feature* features[] = {&map, nullptr};
  if (state->save(lilv_instance_get_handle(instance_), Store, &probe, 0, features) != LV2_STATE_SUCCESS) {
    return false;
  }
  StateRecord record;
  record.key = probe.key;
  record.bytes = bytes;
  record.type = type.empty() ? World().Map(LV2_ATOM__Chunk) : World().Map(type.c_str());
  return state->restore(lilv_instance_get_handle(instance_), Retrieve, &record, 0, features) == LV2_STATE_SUCCESS;
}

}  // namespace QuorvelHost
