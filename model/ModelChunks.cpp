// Program and bank chunks. A load reads and checks the whole chunk before it
// changes anything, so a rejected chunk leaves the model exactly as it was.
#include <atomic>
#include <cstddef>
#include <cstring>
#include <vector>

#include "model/ChunkBuffer.h"
#include "model/Model.h"
#include "model/Trace.h"

namespace VstToolkit {

// A bank read in full, waiting to be applied.
struct Model::StagedBank {
  std::vector<ProgramName> names;
  std::vector<float> values;
  // For each parameter: the controller_ the chunk maps to it, or -1 for none.
  std::vector<int32_t> controllers;
};

namespace {

bool FieldMatches(ChunkBuffer& chunk, const char* field, uint32_t width) {
  char read[Model::kVendorStringSize] = {};
  chunk.Read(read, width);
  return std::strncmp(read, field, width) == 0;
}

}  // namespace

void Model::WriteHeader(ChunkBuffer& chunk) {
  Trace("Model::WriteHeader\r\n");
  chunk.Write(effectName_, kEffectNameSize);
  chunk.Write(vendorString_, kVendorStringSize);
  chunk.Write(productString_, kProductStringSize);
  chunk.WriteInt(vendorVersion_);
}

bool Model::ReadHeader(ChunkBuffer& chunk, int32_t& version) {
  Trace("Model::ReadHeader\r\n");
  static_assert(kEffectNameSize <= kVendorStringSize && kProductStringSize <= kVendorStringSize,
                "FieldMatches reads into a buffer of the widest field");
  if (!FieldMatches(chunk, effectName_, kEffectNameSize) ||
      !FieldMatches(chunk, vendorString_, kVendorStringSize) ||
      !FieldMatches(chunk, productString_, kProductStringSize)) {
    return false;
  }
  return chunk.ReadInt(version);
}

// Chunks written by this version or any earlier one (zero and negative included) load.
bool Model::ReadCompatibleHeader(ChunkBuffer& chunk) {
  int32_t version = 0;
  return ReadHeader(chunk, version) && version <= vendorVersion_;
}

bool Model::ReadProgram(ChunkBuffer& chunk, ProgramName& name, float* values) {
  if (chunk.Read(name.data(), kProgramNameSize) != kProgramNameSize) {
    return false;
  }
  for (int32_t i = 0; i < parameterCount_; ++i) {
    if (!chunk.ReadFloat(values[i])) {
      return false;
    }
  }
  return true;
}

uint32_t Model::ProgramChunkLength() const {
  return static_cast<uint32_t>(kEffectNameSize + kVendorStringSize + kProductStringSize + 4 + kProgramNameSize +
                               4 * parameterCount_);
}

uint32_t Model::BankChunkLength(const uint8_t* bytes, uint32_t size) const {
  const uint32_t programs = static_cast<uint32_t>(programCount_) *
                            static_cast<uint32_t>(kProgramNameSize + 4 * parameterCount_);
  uint32_t length = static_cast<uint32_t>(kEffectNameSize + kVendorStringSize + kProductStringSize + 4) + programs;
  // The MIDI map section: per parameter a flag, and a controller after a flag that is set.
  for (int32_t i = 0; i < parameterCount_; ++i) {
    if (bytes == nullptr || length >= size) {
      return 0;
    }
    length += bytes[length] != 0 ? 2 : 1;
  }
  return length <= size ? length : 0;
}

double Model::GetTailSeconds() const {
  return 0.0;
}

void Model::SerializeSelectedProgram(ChunkBuffer& chunk) {
  Trace("Model::SerializeSelectedProgram\r\n");
  WriteHeader(chunk);
  const int32_t program = GetSelectedProgramIndex();
  chunk.Write(programNames_[static_cast<std::size_t>(program)].data(), kProgramNameSize);
  const std::atomic<float>* values = ProgramValues(program);
  for (int32_t i = 0; i < parameterCount_; ++i) {
    chunk.WriteFloat(values[i].load(std::memory_order_relaxed));
  }
}

bool Model::DeserializeSelectedProgram(ChunkBuffer& chunk) {
  Trace("Model::DeserializeSelectedProgram\r\n");
  if (!ReadCompatibleHeader(chunk)) {
    return false;
  }
  ProgramName name{};
  std::vector<float> values(static_cast<std::size_t>(parameterCount_));
  if (!ReadProgram(chunk, name, values.data())) {
    return false;
  }
  // The name is taken as the chunk holds it, all 24 bytes, without a forced terminator.
  programNames_[static_cast<std::size_t>(GetSelectedProgramIndex())] = name;
  for (int32_t i = 0; i < parameterCount_; ++i) {
    SetParameterValue(i, values[static_cast<std::size_t>(i)]);
  }
  return true;
}

void Model::SerializeBank(ChunkBuffer& chunk) {
  Trace("Model::SerializeBank\r\n");
  WriteHeader(chunk);
  for (int32_t p = 0; p < programCount_; ++p) {
    chunk.Write(programNames_[static_cast<std::size_t>(p)].data(), kProgramNameSize);
    const std::atomic<float>* values = ProgramValues(p);
    for (int32_t i = 0; i < parameterCount_; ++i) {
      chunk.WriteFloat(values[i].load(std::memory_order_relaxed));
    }
  }
  for (int32_t i = 0; i < parameterCount_; ++i) {
    if (HasMidiControllerMapping(i)) {
      chunk.WriteByte(1);
      chunk.WriteByte(ParameterToController(i));
    } else {
      chunk.WriteByte(0);
    }
  }
}

bool Model::DeserializeBank(ChunkBuffer& chunk) {
  Trace("Model::DeserializeBank\r\n");
  if (!ReadCompatibleHeader(chunk)) {
    return false;
  }
  StagedBank bank;
  bank.names.resize(static_cast<std::size_t>(programCount_));
  bank.values.resize(ProgramValueCount());
  for (int32_t p = 0; p < programCount_; ++p) {
    float* values =
        bank.values.data() + static_cast<std::size_t>(p) * static_cast<std::size_t>(parameterCount_);
    if (!ReadProgram(chunk, bank.names[static_cast<std::size_t>(p)], values)) {
      return false;
    }
  }
  bank.controllers.assign(static_cast<std::size_t>(parameterCount_), -1);
  for (int32_t i = 0; i < parameterCount_; ++i) {
    uint8_t flag = 0;
    if (!chunk.ReadByte(flag)) {
      return false;
    }
    if (flag == 0) {
      continue;
    }
    uint8_t controllerNumber = 0;
    // A controller_ outside 0..127 cannot come from a writer of this format: the
    // chunk is damaged, and a damaged bank is refused as a whole.
    if (!chunk.ReadByte(controllerNumber) || controllerNumber >= kMidiControllerCount) {
      return false;
    }
    bank.controllers[static_cast<std::size_t>(i)] = controllerNumber;
  }
  ApplyBank(bank);
  return true;
}

void Model::ApplyBank(const StagedBank& bank) {
  const int32_t selected = GetSelectedProgramIndex();
  for (int32_t p = 0; p < programCount_; ++p) {
    programNames_[static_cast<std::size_t>(p)] = bank.names[static_cast<std::size_t>(p)];
    std::atomic<float>* values = ProgramValues(p);
    const float* loaded =
        bank.values.data() + static_cast<std::size_t>(p) * static_cast<std::size_t>(parameterCount_);
    for (int32_t i = 0; i < parameterCount_; ++i) {
      const float old = values[i].exchange(loaded[i], std::memory_order_relaxed);
      // Only the selected program is heard, so only its changes are announced.
      if (p == selected) {
        OnParameterValueChanged(i, old, loaded[i]);
      }
    }
  }
  ClearMidiControllerMap();
  for (int32_t i = 0; i < parameterCount_; ++i) {
    const int32_t controllerNumber = bank.controllers[static_cast<std::size_t>(i)];
    if (controllerNumber >= 0) {
      RegisterMidiControllerMapping(static_cast<uint8_t>(controllerNumber), i);
    }
  }
}

}  // namespace VstToolkit
