#include "host/vst2/Controller.h"
#include "model/ChunkBuffer.h"
#include "model/Trace.h"

namespace VstToolkit {

VstInt32 Controller::getChunk(void** data, bool isPreset) {
  Trace("Controller::getChunk\r\n");
  if (data == nullptr) {
    return 0;
  }
  const ChunkBuffer& chunk = core.SaveState(isPreset);
  // The host may only read it; it stays valid until the next save or effClose.
  *data = const_cast<uint8_t*>(chunk.GetData());
  return static_cast<VstInt32>(chunk.GetSize());
}

VstInt32 Controller::setChunk(void* data, VstInt32 byteSize, bool isPreset) {
  Trace("Controller::setChunk\r\n");
  return core.LoadState(data, byteSize, isPreset) ? 1 : 0;
}

}  // namespace VstToolkit
