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
};

LV2_State_Status Store(LV2_State_Handle handle, uint32_t key, const void* value, size_t size, uint32_t type, uint32_t) {
  auto* record = static_cast<StateRecord*>(handle);
  record->key = key;
  const auto* bytes = static_cast<const uint8_t*>(value);
  record->bytes.assign(bytes, bytes + size);
  record->type = type;
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

// The instance's state interface once it saved into `record`; null where it has none or failed.
const LV2_State_Interface* Save(LilvInstance* instance, const LV2_Feature* const* features, StateRecord& record) {
  const auto* state =
      static_cast<const LV2_State_Interface*>(lilv_instance_get_extension_data(instance, LV2_STATE__interface));
  return state != nullptr &&
                 state->save(lilv_instance_get_handle(instance), Store, &record, 0, features) == LV2_STATE_SUCCESS
             ? state
             : nullptr;
}

}  // namespace

std::vector<uint8_t> HostedLv2::SaveState(std::string* type) {
  StateRecord record;
  if (Save(instance_, World().Features(), record) == nullptr) {
    return {};
  }
  if (type != nullptr) {
    const char* uri = World().Unmap(record.type);
    *type = uri != nullptr ? uri : "";
  }
  return record.bytes;
}

bool HostedLv2::RestoreState(const std::vector<uint8_t>& bytes, const std::string& type) {
  // The key is the one the plug-in saves under.
  StateRecord record;
  const LV2_State_Interface* state = Save(instance_, World().Features(), record);
  if (state == nullptr) {
    return false;
  }
  record.bytes = bytes;
  record.type = World().Map(type.empty() ? LV2_ATOM__Chunk : type.c_str());
  return state->restore(lilv_instance_get_handle(instance_), Retrieve, &record, 0, World().Features()) ==
         LV2_STATE_SUCCESS;
}

}  // namespace QuorvelHost
