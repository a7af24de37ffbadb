#include "host/vst2/AudioEffect.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "host/vst2/AEffEditor.h"

namespace {

// Far above any real device rate, yet low enough that a delay line of one
// second at this rate is a modest allocation: a host's garbage never becomes
// an attempt to allocate gigabytes.
constexpr float kHighestSampleRate = 1536000.0f;

bool IsUsableSampleRate(float rate) {
  return std::isfinite(rate) && rate > 0.0f && rate <= kHighestSampleRate;
}

bool FitsInt32(VstIntPtr value) {
  return value >= INT32_MIN && value <= INT32_MAX;
}

}  // namespace

AudioEffect::AudioEffect(audioMasterCallback hostCallback, VstInt32 programCount, VstInt32 parameterCount)
    : audioMaster(hostCallback),
      editor(nullptr),
      sampleRate(44100.0f),
      blockSize(1024),
      numPrograms(programCount),
      numParams(parameterCount),
      curProgram(0) {
  std::memset(&cEffect, 0, sizeof(cEffect));
  cEffect.magic = kEffectMagic;
  cEffect.dispatcher = &AudioEffect::dispatchEffectClass;
  cEffect.process = &AudioEffect::processClass;
  cEffect.setParameter = &AudioEffect::setParameterClass;
  cEffect.getParameter = &AudioEffect::getParameterClass;
  cEffect.numPrograms = programCount;
  cEffect.numParams = parameterCount;
  cEffect.numInputs = 1;
  cEffect.numOutputs = 2;
  cEffect.flags = effFlagsCanReplacing;
  cEffect.ioRatio = 1.0f;
  cEffect.object = this;
  cEffect.user = nullptr;
  cEffect.uniqueID = CCONST('N', 'o', 'E', 'f');
  cEffect.version = 1;
  cEffect.processReplacing = &AudioEffect::processClassReplacing;
  cEffect.processDoubleReplacing = &AudioEffect::processClassDoubleReplacing;
}

AudioEffect::~AudioEffect() {
  delete editor;
}

AudioEffect* AudioEffect::FromRecord(AEffect* effect) {
  return effect != nullptr ? static_cast<AudioEffect*>(effect->object) : nullptr;
}

VstIntPtr AudioEffect::dispatchEffectClass(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                           void* ptr, float opt) {
  AudioEffect* object = FromRecord(effect);
  if (object == nullptr) {
    return 0;
  }
  if (opcode == effClose) {
    object->dispatcher(opcode, index, value, ptr, opt);
    delete object;
    return 1;
  }
  return object->dispatcher(opcode, index, value, ptr, opt);
}

void AudioEffect::processClass(AEffect* effect, float** inputs, float** outputs, VstInt32 sampleFrames) {
  if (AudioEffect* object = FromRecord(effect)) {
    object->process(inputs, outputs, sampleFrames);
  }
}

void AudioEffect::processClassReplacing(AEffect* effect, float** inputs, float** outputs,
                                        VstInt32 sampleFrames) {
  if (AudioEffect* object = FromRecord(effect)) {
    object->processReplacing(inputs, outputs, sampleFrames);
  }
}

void AudioEffect::processClassDoubleReplacing(AEffect* effect, double** inputs, double** outputs,
                                              VstInt32 sampleFrames) {
  if (AudioEffect* object = FromRecord(effect)) {
    object->processDoubleReplacing(inputs, outputs, sampleFrames);
  }
}

void AudioEffect::setParameterClass(AEffect* effect, VstInt32 index, float value) {
  if (AudioEffect* object = FromRecord(effect)) {
    object->setParameter(index, value);
  }
}

float AudioEffect::getParameterClass(AEffect* effect, VstInt32 index) {
  AudioEffect* object = FromRecord(effect);
  return object != nullptr ? object->getParameter(index) : 0.0f;
}

VstIntPtr AudioEffect::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  switch (opcode) {
    case effOpen:
      open();
      return 0;
    case effClose:
      close();
      return 0;
    case effSetProgram:
      // Negative values are dropped too: they would select no program at all.
      if (value >= 0 && value < numPrograms) {
        setProgram(static_cast<VstInt32>(value));
      }
      return 0;
    case effGetProgram:
      return getProgram();
    case effSetProgramName:
      setProgramName(static_cast<char*>(ptr));
      return 0;
    case effGetProgramName:
      getProgramName(static_cast<char*>(ptr));
      return 0;
    case effGetParamLabel:
      getParameterLabel(index, static_cast<char*>(ptr));
      return 0;
    case effGetParamDisplay:
      getParameterDisplay(index, static_cast<char*>(ptr));
      return 0;
    case effGetParamName:
      getParameterName(index, static_cast<char*>(ptr));
      return 0;
    case effSetSampleRate:
      if (IsUsableSampleRate(opt)) {
        setSampleRate(opt);
      }
      return 0;
    case effSetBlockSize:
      if (value > 0 && FitsInt32(value)) {
        setBlockSize(static_cast<VstInt32>(value));
      }
      return 0;
    case effMainsChanged:
      if (value == 0) {
        suspend();
      } else {
        resume();
      }
      return 0;
    case effEditGetRect:
      return editor != nullptr && ptr != nullptr && editor->getRect(static_cast<ERect**>(ptr)) ? 1 : 0;
    case effEditOpen:
      return editor != nullptr && editor->open(ptr) ? 1 : 0;
    case effEditClose:
      if (editor != nullptr) {
        editor->close();
      }
      return 0;
    case effEditIdle:
      if (editor != nullptr) {
        editor->idle();
      }
      return 0;
    case effIdentify:
      return CCONST('N', 'v', 'E', 'f');
    case effGetChunk:
      return ptr != nullptr ? getChunk(static_cast<void**>(ptr), index != 0) : 0;
    case effSetChunk:
      // The size is an int32 in the chunk protocol; anything else is not a size.
      if (!FitsInt32(value)) {
        return 0;
      }
      return setChunk(ptr, static_cast<VstInt32>(value), index != 0);
    default:
      return 0;
  }
}

void AudioEffect::open() {}

void AudioEffect::close() {}

void AudioEffect::suspend() {}

void AudioEffect::resume() {}

void AudioEffect::setSampleRate(float rate) {
  sampleRate = rate;
}

void AudioEffect::setBlockSize(VstInt32 size) {
  blockSize = size;
}

void AudioEffect::processDoubleReplacing(double**, double**, VstInt32) {}

void AudioEffect::setParameter(VstInt32, float) {}

float AudioEffect::getParameter(VstInt32) {
  return 0.0f;
}

void AudioEffect::setParameterAutomated(VstInt32 index, float value) {
  callHost(audioMasterAutomate, index, 0, nullptr, value);
}

VstInt32 AudioEffect::getProgram() {
  return curProgram;
}

void AudioEffect::setProgram(VstInt32 program) {
  curProgram = program;
}

void AudioEffect::setProgramName(char*) {}

void AudioEffect::getProgramName(char* name) {
  if (name != nullptr) {
    *name = 0;
  }
}

void AudioEffect::getParameterLabel(VstInt32, char* label) {
  if (label != nullptr) {
    *label = 0;
  }
}

void AudioEffect::getParameterDisplay(VstInt32, char* text) {
  if (text != nullptr) {
    *text = 0;
  }
}

void AudioEffect::getParameterName(VstInt32, char* text) {
  if (text != nullptr) {
    *text = 0;
  }
}

VstInt32 AudioEffect::getChunk(void**, bool) {
  return 0;
}

VstInt32 AudioEffect::setChunk(void*, VstInt32, bool) {
  return 0;
}

void AudioEffect::setUniqueID(VstInt32 id) {
  cEffect.uniqueID = id;
}

void AudioEffect::setNumInputs(VstInt32 inputs) {
  cEffect.numInputs = inputs;
}

void AudioEffect::setNumOutputs(VstInt32 outputs) {
  cEffect.numOutputs = outputs;
}

void AudioEffect::setFlag(VstInt32 flag, bool state) {
  if (state) {
    cEffect.flags |= flag;
  } else {
    cEffect.flags &= ~flag;
  }
}

void AudioEffect::canProcessReplacing(bool state) {
  setFlag(effFlagsCanReplacing, state);
}

void AudioEffect::canDoubleReplacing(bool state) {
  setFlag(effFlagsCanDoubleReplacing, state);
}

void AudioEffect::programsAreChunks(bool state) {
  setFlag(effFlagsProgramChunks, state);
}

void AudioEffect::setInitialDelay(VstInt32 delay) {
  cEffect.initialDelay = delay;
}

AEffEditor* AudioEffect::getEditor() {
  return editor;
}

AEffect* AudioEffect::getAeffect() {
  return &cEffect;
}

float AudioEffect::getSampleRate() {
  return sampleRate;
}

VstInt32 AudioEffect::getBlockSize() {
  return blockSize;
}

void AudioEffect::process(float**, float**, VstInt32) {}

void AudioEffect::setEditor(AEffEditor* newEditor) {
  if (newEditor != editor) {
    delete editor;
    editor = newEditor;
  }
  setFlag(effFlagsHasEditor, editor != nullptr);
}

VstIntPtr AudioEffect::callHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  return audioMaster != nullptr ? audioMaster(&cEffect, opcode, index, value, ptr, opt) : 0;
}
