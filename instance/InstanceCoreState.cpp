// The state bytes every format but VST2 keeps, and the tail.

#include "instance/InstanceCore.h"
#include "model/ChunkBuffer.h"
#include "model/Model.h"

namespace VstToolkit {

const ChunkBuffer& InstanceCore::SaveInstanceState() {
  chunkBuffer->Clear();
  model->SerializeBank(*chunkBuffer);
  chunkBuffer->WriteInt(model->GetSelectedProgramIndex());
  return *chunkBuffer;
}

bool InstanceCore::LoadInstanceState(const void* data, int32_t size) {
  if (data == nullptr || size <= 0 || size > kLargestStateRead) {
    return false;
  }
  const auto* bytes = static_cast<const uint8_t*>(data);
  const auto length = static_cast<uint32_t>(size);
  // The bank delimits itself, so what follows it says which form this is. Everything is
  // checked before the model changes: its load is all or nothing, the selection comes after.
  const uint32_t bank = model->BankChunkLength(bytes, length);
  if (bank != 0 && bank == length) {
    return LoadState(data, size, false);
  }
  if (bank != 0 && bank + 4 == length) {
    const uint8_t* tail = bytes + bank;
    const int32_t program = static_cast<int32_t>(static_cast<uint32_t>(tail[0]) | static_cast<uint32_t>(tail[1]) << 8 |
                                                 static_cast<uint32_t>(tail[2]) << 16 |
                                                 static_cast<uint32_t>(tail[3]) << 24);
    if (!IsProgramIndex(program) || !LoadState(data, static_cast<int32_t>(bank), false)) {
      return false;
    }
    SelectProgram(program);
    return true;
  }
  if (length == model->ProgramChunkLength()) {
    return LoadState(data, size, true);
  }
  return false;
}

bool InstanceCore::LoadWholeChunk(const void* data, int32_t size, bool selectedProgramOnly) {
  if (data == nullptr || size <= 0 || size > kLargestStateRead) {
    return false;
  }
  const auto length = static_cast<uint32_t>(size);
  const uint32_t whole = selectedProgramOnly ? model->ProgramChunkLength()
                                             : model->BankChunkLength(static_cast<const uint8_t*>(data), length);
  return whole == length && LoadState(data, size, selectedProgramOnly);
}

double InstanceCore::GetTailSeconds() const {
  return model->GetTailSeconds();
}

int32_t InstanceCore::GetMidiDispatchFrame() const {
  return model->MidiDispatchFrame();
}

}  // namespace VstToolkit
