// Arbitrary bytes as a program chunk and as a bank chunk. A refused chunk must
// leave the model untouched; an accepted one, saved, loaded into a fresh model
// and saved again, must give the same bytes twice.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/FuzzModel.h"
#include "model/ChunkBuffer.h"

using QuorvelFuzz::Check;
using QuorvelFuzz::FuzzModel;
using Bytes = std::vector<uint8_t>;

namespace {

Bytes Save(FuzzModel& model, bool bank) {
  VstToolkit::ChunkBuffer chunk;
  if (bank) {
    model.SerializeBank(chunk);
  } else {
    model.SerializeSelectedProgram(chunk);
  }
  return Bytes(chunk.GetData(), chunk.GetData() + chunk.GetSize());
}

bool Load(FuzzModel& model, const uint8_t* data, size_t size, bool bank) {
  VstToolkit::ChunkBuffer chunk(data, static_cast<uint32_t>(size));
  return bank ? model.DeserializeBank(chunk) : model.DeserializeSelectedProgram(chunk);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 65536) {
    return 0;
  }
  for (const bool bank : {false, true}) {
    FuzzModel model;
    model.SetSelectedProgramIndex(static_cast<int32_t>(size % 32));
    model.RegisterMidiControllerMapping(74, 6);
    const Bytes before = Save(model, true);
    model.parameterChanges = 0;
    if (!Load(model, data, size, bank)) {
      Check(model.parameterChanges == 0, "a refused chunk fired a hook");
      Check(Save(model, true) == before, "a refused chunk changed the model");
      continue;
    }
    const Bytes first = Save(model, bank);
    FuzzModel fresh;
    Check(Load(fresh, first.data(), first.size(), bank), "a saved chunk does not load");
    Check(Save(fresh, bank) == first, "save, load, save gives other bytes");
  }
  return 0;
}
