#include "tests/quorvel-host/modules/TestEffect.h"

#include <cstdio>
#include <cstring>

namespace QuorvelHostTest {

TestEffect::TestEffect(audioMasterCallback host, int32_t uniqueId, std::vector<float> defaults)
    : values_(std::move(defaults)), host_(host) {
  effect_.magic = kEffectMagic;
  effect_.dispatcher = &DispatchEntry;
  effect_.setParameter = &SetParameterEntry;
  effect_.getParameter = &GetParameterEntry;
  effect_.processReplacing = &ProcessEntry;
  effect_.numPrograms = 1;
  effect_.numParams = static_cast<VstInt32>(values_.size());
  effect_.numInputs = 2;
  effect_.numOutputs = 2;
  effect_.flags = effFlagsCanReplacing | effFlagsProgramChunks;
  effect_.ioRatio = 1.0f;
  effect_.object = this;
  effect_.uniqueID = uniqueId;
  effect_.version = 1;
}

VstIntPtr TestEffect::Dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  bool validIndex = index >= 0 && static_cast<size_t>(index) < values_.size();
  switch (opcode) {
    case effSetSampleRate:
      sampleRate_ = opt;
      return 0;
    case effGetParamName:
      if (validIndex) {
        std::snprintf(static_cast<char*>(ptr), kVstMaxParamStrLen, "P%d", index);
      }
      return 0;
    case effGetParamDisplay:
      if (validIndex) {
        std::snprintf(static_cast<char*>(ptr), kVstMaxParamStrLen, "%.3f",
                      static_cast<double>(values_[static_cast<size_t>(index)]));
      }
      return 0;
    case effGetParameterProperties:
      if (validIndex) {
        auto* properties = static_cast<VstParameterProperties*>(ptr);
        std::snprintf(properties->label, sizeof(properties->label), "Test Parameter %d", index);
        return 1;
      }
      return 0;
    case effGetEffectName:
    case effGetProductString:
      std::strcpy(static_cast<char*>(ptr), "Test Effect");
      return 1;
    case effGetVstVersion:
      return kVstVersion;
    case effGetChunk:
      chunk_.assign(reinterpret_cast<const uint8_t*>(values_.data()),
                    reinterpret_cast<const uint8_t*>(values_.data() + values_.size()));
      *static_cast<void**>(ptr) = chunk_.data();
      return static_cast<VstIntPtr>(chunk_.size());
    case effSetChunk:
      return value >= 0 && ptr != nullptr &&
                     LoadChunk(static_cast<const uint8_t*>(ptr), static_cast<size_t>(value))
                 ? 1
                 : 0;
    case effProcessEvents: {
      const auto* events = static_cast<const VstEvents*>(ptr);
      for (VstInt32 i = 0; i < events->numEvents; ++i) {
        if (events->events[i]->type == kVstMidiType) {
          pending_.push_back(*reinterpret_cast<const VstMidiEvent*>(events->events[i]));
        }
      }
      return 1;
    }
    case effCanDo:
      return std::strcmp(static_cast<const char*>(ptr), "receiveVstMidiEvent") == 0 ? 1 : -1;
    case effClose:
      delete this;
      return 1;
    default:
      return 0;
  }
}

bool TestEffect::LoadChunk(const uint8_t* data, size_t size) {
  if (size != values_.size() * sizeof(float)) {
    return false;
  }
  std::memcpy(values_.data(), data, size);
  return true;
}

VstIntPtr VSTCALLBACK TestEffect::DispatchEntry(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                                VstIntPtr value, void* ptr, float opt) {
  return static_cast<TestEffect*>(effect->object)->Dispatch(opcode, index, value, ptr, opt);
}

// Control change 7 sets parameter 0 at its frame: the block is processed in
// two pieces around each such message.
void VSTCALLBACK TestEffect::ProcessEntry(AEffect* effect, float** inputs, float** outputs, VstInt32 frames) {
  auto* self = static_cast<TestEffect*>(effect->object);
  self->host_(effect, audioMasterGetTime, 0, 0, nullptr, 0.0f);
  VstInt32 done = 0;
  for (const VstMidiEvent& event : self->pending_) {
    VstInt32 at = event.deltaFrames < done ? done : (event.deltaFrames > frames ? frames : event.deltaFrames);
    float* in[2] = {inputs[0] + done, inputs[1] + done};
    float* out[2] = {outputs[0] + done, outputs[1] + done};
    self->Process(in, out, at - done);
    done = at;
    if ((event.midiData[0] & 0xF0) == 0xB0 && event.midiData[1] == 7 && !self->values_.empty()) {
      self->values_[0] = static_cast<float>(event.midiData[2]) / 127.0f;
    }
  }
  self->pending_.clear();
  float* in[2] = {inputs[0] + done, inputs[1] + done};
  float* out[2] = {outputs[0] + done, outputs[1] + done};
  self->Process(in, out, frames - done);
}

void VSTCALLBACK TestEffect::SetParameterEntry(AEffect* effect, VstInt32 index, float value) {
  auto* self = static_cast<TestEffect*>(effect->object);
  if (index >= 0 && static_cast<size_t>(index) < self->values_.size()) {
    self->values_[static_cast<size_t>(index)] = value;
  }
}

float VSTCALLBACK TestEffect::GetParameterEntry(AEffect* effect, VstInt32 index) {
  auto* self = static_cast<TestEffect*>(effect->object);
  return index >= 0 && static_cast<size_t>(index) < self->values_.size()
             ? self->values_[static_cast<size_t>(index)]
             : 0.0f;
}

}  // namespace QuorvelHostTest
