#include "host/Controller.h"
#include "model/ChunkBuffer.h"
#include "model/Model.h"
#include "model/Trace.h"

namespace VstToolkit {

VstInt32 Controller::getChunk(void** data, bool isPreset) {
  Trace("Controller::getChunk\r\n");
  if (data == nullptr) {
    return 0;
  }
  chunkBuffer->Clear();
  if (isPreset) {
    model->SerializeSelectedProgram(*chunkBuffer);
  } else {
    model->SerializeBank(*chunkBuffer);
  }
  // The host may only read it; it stays valid until the next save or effClose.
  *data = const_cast<uint8_t*>(chunkBuffer->GetData());
  return static_cast<VstInt32>(chunkBuffer->GetSize());
}

VstInt32 Controller::setChunk(void* data, VstInt32 byteSize, bool isPreset) {
  Trace("Controller::setChunk\r\n");
  if (data == nullptr || byteSize <= 0) {
    return 0;
  }
  // The model ignores bytes past a complete chunk, so a longer claim is never
  // read in full: a host's wrong size cannot make us copy gigabytes.
  const VstInt32 size = byteSize < kLargestChunkRead ? byteSize : kLargestChunkRead;
  ChunkBuffer copy(data, static_cast<uint32_t>(size));
  const bool accepted = isPreset ? model->DeserializeSelectedProgram(copy) : model->DeserializeBank(copy);
  if (accepted) {
    UpdateViewParameters();
  }
  return accepted ? 1 : 0;
}

}  // namespace VstToolkit
