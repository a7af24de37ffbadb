// The instance's state: one property holding the bank chunk and the selected program.
#include <cstdint>

#include "host/lv2/Lv2Plugin.h"
#include "model/ChunkBuffer.h"

namespace VstToolkit {

LV2_State_Status Lv2Plugin::Save(LV2_State_Store_Function store, LV2_State_Handle handle) {
  if (store == nullptr) {
    return LV2_STATE_ERR_UNKNOWN;
  }
  const ChunkBuffer& chunk = core.SaveInstanceState();
  return store(handle, stateKey, chunk.GetData(), chunk.GetSize(), atomChunk,
               LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE);
}

// Takes the saved form, a bare VST2 bank chunk or a program chunk; anything else, of any
// type, is an error that changes nothing.
LV2_State_Status Lv2Plugin::Restore(LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle) {
  if (retrieve == nullptr) {
    return LV2_STATE_ERR_UNKNOWN;
  }
  size_t size = 0;
  uint32_t type = 0;
  uint32_t flags = 0;
  const void* data = retrieve(handle, stateKey, &size, &type, &flags);
  if (data == nullptr) {
    return LV2_STATE_ERR_NO_PROPERTY;
  }
  if (type != atomChunk) {
    return LV2_STATE_ERR_BAD_TYPE;
  }
  if (size > static_cast<size_t>(INT32_MAX) || !core.LoadInstanceState(data, static_cast<int32_t>(size))) {
    return LV2_STATE_ERR_UNKNOWN;
  }
  remoteView.MarkChanged();
  previousFromState.store(true, std::memory_order_release);
  return LV2_STATE_SUCCESS;
}

}  // namespace VstToolkit
