#include "host/vst2/AudioEffectX.h"

#include <cmath>
#include <cstdint>

#include "host/vst2/AEffEditor.h"

namespace {

VstIntPtr AsAnswer(bool value) {
  return value ? 1 : 0;
}

// The host packs a key's modifier into the float argument. A NaN or an
// out-of-range float must not reach an integer conversion.
unsigned char ModifierFromFloat(float opt) {
  if (!std::isfinite(opt) || opt <= -2147483648.0f || opt >= 2147483648.0f) {
    return 0;
  }
  return static_cast<unsigned char>(static_cast<VstInt32>(opt) & 0xFF);
}

VstKeyCode KeyCodeFrom(VstInt32 index, VstIntPtr value, float opt) {
  VstKeyCode key{};
  key.character = index;
  key.virt = static_cast<unsigned char>(value & 0xFF);
  key.modifier = ModifierFromFloat(opt);
  return key;
}

}  // namespace

AudioEffectX::AudioEffectX(audioMasterCallback hostCallback, VstInt32 programCount, VstInt32 parameterCount)
    : AudioEffect(hostCallback, programCount, parameterCount) {}

AudioEffectX::~AudioEffectX() = default;

VstIntPtr AudioEffectX::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  switch (opcode) {
    case effProcessEvents:
      return processEvents(static_cast<VstEvents*>(ptr));
    case effCanBeAutomated:
      return AsAnswer(canParameterBeAutomated(index));
    case effString2Parameter:
      return AsAnswer(string2parameter(index, static_cast<char*>(ptr)));
    case effGetProgramNameIndexed:
      return AsAnswer(getProgramNameIndexed(static_cast<VstInt32>(value), index, static_cast<char*>(ptr)));
    case effGetInputProperties:
      return AsAnswer(getInputProperties(index, static_cast<VstPinProperties*>(ptr)));
    case effGetOutputProperties:
      return AsAnswer(getOutputProperties(index, static_cast<VstPinProperties*>(ptr)));
    case effGetPlugCategory:
      return getPlugCategory();
    case effOfflineNotify:
      return AsAnswer(offlineNotify(ptr, static_cast<VstInt32>(value), index != 0));
    case effOfflinePrepare:
      return AsAnswer(offlinePrepare(ptr, static_cast<VstInt32>(value)));
    case effOfflineRun:
      return AsAnswer(offlineRun(ptr, static_cast<VstInt32>(value)));
    case effProcessVarIo:
      return AsAnswer(processVariableIo(static_cast<VstVariableIo*>(ptr)));
    case effSetSpeakerArrangement:
      return AsAnswer(setSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement*>(value),
                                            static_cast<VstSpeakerArrangement*>(ptr)));
    case effSetBypass:
      return AsAnswer(setBypass(value != 0));
    case effGetEffectName:
      return AsAnswer(getEffectName(static_cast<char*>(ptr)));
    case effGetVendorString:
      return AsAnswer(getVendorString(static_cast<char*>(ptr)));
    case effGetProductString:
      return AsAnswer(getProductString(static_cast<char*>(ptr)));
    case effGetVendorVersion:
      return getVendorVersion();
    case effVendorSpecific:
      return vendorSpecific(index, value, ptr, opt);
    case effCanDo:
      return canDo(static_cast<char*>(ptr));
    case effGetTailSize:
      return getGetTailSize();
    case effGetParameterProperties:
      return AsAnswer(getParameterProperties(index, static_cast<VstParameterProperties*>(ptr)));
    case effGetVstVersion:
      return getVstVersion();
    case effEditKeyDown:
      if (editor != nullptr) {
        VstKeyCode key = KeyCodeFrom(index, value, opt);
        return AsAnswer(editor->onKeyDown(key));
      }
      return 0;
    case effEditKeyUp:
      if (editor != nullptr) {
        VstKeyCode key = KeyCodeFrom(index, value, opt);
        return AsAnswer(editor->onKeyUp(key));
      }
      return 0;
    case effSetEditKnobMode:
      return editor != nullptr ? AsAnswer(editor->setKnobMode(static_cast<VstInt32>(value))) : 0;
    case effGetMidiProgramName:
      return getMidiProgramName(index, static_cast<VstMidiProgramName*>(ptr));
    case effGetCurrentMidiProgram:
      return getCurrentMidiProgram(index, static_cast<VstMidiProgramName*>(ptr));
    case effGetMidiProgramCategory:
      return getMidiProgramCategory(index, static_cast<VstMidiProgramCategory*>(ptr));
    case effHasMidiProgramsChanged:
      return AsAnswer(hasMidiProgramsChanged(index));
    case effGetMidiKeyName:
      return AsAnswer(getMidiKeyName(index, static_cast<VstMidiKeyName*>(ptr)));
    case effBeginSetProgram:
      return AsAnswer(beginSetProgram());
    case effEndSetProgram:
      return AsAnswer(endSetProgram());
    case effGetSpeakerArrangement:
      return AsAnswer(getSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement**>(value),
                                            static_cast<VstSpeakerArrangement**>(ptr)));
    case effShellGetNextPlugin:
      return getNextShellPlugin(static_cast<char*>(ptr));
    case effStartProcess:
      return startProcess();
    case effStopProcess:
      return stopProcess();
    case effSetTotalSampleToProcess:
      return setTotalSampleToProcess(static_cast<VstInt32>(value));
    case effSetPanLaw:
      return AsAnswer(setPanLaw(static_cast<VstInt32>(value), opt));
    case effBeginLoadBank:
      return beginLoadBank(static_cast<VstPatchChunkInfo*>(ptr));
    case effBeginLoadProgram:
      return beginLoadProgram(static_cast<VstPatchChunkInfo*>(ptr));
    case effSetProcessPrecision:
      return AsAnswer(setProcessPrecision(static_cast<VstInt32>(value)));
    case effGetNumMidiInputChannels:
      return getNumMidiInputChannels();
    case effGetNumMidiOutputChannels:
      return getNumMidiOutputChannels();
    default:
      // 0 to 24, the deprecated extension opcodes, and anything unknown.
      return AudioEffect::dispatcher(opcode, index, value, ptr, opt);
  }
}

void AudioEffectX::resume() {
  char receiveMidi[] = "receiveVstMidiEvent";
  if ((cEffect.flags & effFlagsIsSynth) != 0 || canDo(receiveMidi) == 1) {
    wantEvents(1);
  }
}

bool AudioEffectX::canParameterBeAutomated(VstInt32) {
  return true;
}

bool AudioEffectX::string2parameter(VstInt32, char*) {
  return false;
}

bool AudioEffectX::getParameterProperties(VstInt32, VstParameterProperties*) {
  return false;
}

bool AudioEffectX::getProgramNameIndexed(VstInt32, VstInt32, char*) {
  return false;
}

bool AudioEffectX::beginSetProgram() {
  return false;
}

bool AudioEffectX::endSetProgram() {
  return false;
}

VstInt32 AudioEffectX::beginLoadBank(VstPatchChunkInfo*) {
  return 0;
}

VstInt32 AudioEffectX::beginLoadProgram(VstPatchChunkInfo*) {
  return 0;
}

bool AudioEffectX::getInputProperties(VstInt32, VstPinProperties*) {
  return false;
}

bool AudioEffectX::getOutputProperties(VstInt32, VstPinProperties*) {
  return false;
}

bool AudioEffectX::setSpeakerArrangement(VstSpeakerArrangement*, VstSpeakerArrangement*) {
  return false;
}

bool AudioEffectX::getSpeakerArrangement(VstSpeakerArrangement** input, VstSpeakerArrangement** output) {
  if (input != nullptr) {
    *input = nullptr;
  }
  if (output != nullptr) {
    *output = nullptr;
  }
  return false;
}

bool AudioEffectX::setBypass(bool) {
  return false;
}

bool AudioEffectX::setPanLaw(VstInt32, float) {
  return false;
}

bool AudioEffectX::setProcessPrecision(VstInt32) {
  return false;
}

VstInt32 AudioEffectX::getNumMidiInputChannels() {
  return 0;
}

VstInt32 AudioEffectX::getNumMidiOutputChannels() {
  return 0;
}

VstTimeInfo* AudioEffectX::getTimeInfo(VstInt32 filter) {
  return reinterpret_cast<VstTimeInfo*>(callHost(audioMasterGetTime, 0, filter, nullptr, 0.0f));
}

VstInt32 AudioEffectX::processEvents(VstEvents*) {
  return 0;
}

VstInt32 AudioEffectX::startProcess() {
  return 0;
}

VstInt32 AudioEffectX::stopProcess() {
  return 0;
}

bool AudioEffectX::processVariableIo(VstVariableIo*) {
  return false;
}

VstInt32 AudioEffectX::setTotalSampleToProcess(VstInt32 value) {
  return value;
}

VstInt32 AudioEffectX::getGetTailSize() {
  return 0;
}

bool AudioEffectX::offlineNotify(void*, VstInt32, bool) {
  return false;
}

bool AudioEffectX::offlinePrepare(void*, VstInt32) {
  return false;
}

bool AudioEffectX::offlineRun(void*, VstInt32) {
  return false;
}

bool AudioEffectX::getEffectName(char*) {
  return false;
}

bool AudioEffectX::getVendorString(char*) {
  return false;
}

bool AudioEffectX::getProductString(char*) {
  return false;
}

VstInt32 AudioEffectX::getVendorVersion() {
  return 0;
}

VstIntPtr AudioEffectX::vendorSpecific(VstInt32, VstIntPtr, void*, float) {
  return 0;
}

VstInt32 AudioEffectX::canDo(char*) {
  return 0;
}

VstInt32 AudioEffectX::getVstVersion() {
  return kVstVersion;
}

VstPlugCategory AudioEffectX::getPlugCategory() {
  return (cEffect.flags & effFlagsIsSynth) != 0 ? kPlugCategSynth : kPlugCategUnknown;
}

VstInt32 AudioEffectX::getMidiProgramName(VstInt32, VstMidiProgramName*) {
  return 0;
}

VstInt32 AudioEffectX::getCurrentMidiProgram(VstInt32, VstMidiProgramName*) {
  return -1;
}

VstInt32 AudioEffectX::getMidiProgramCategory(VstInt32, VstMidiProgramCategory*) {
  return 0;
}

bool AudioEffectX::hasMidiProgramsChanged(VstInt32) {
  return false;
}

bool AudioEffectX::getMidiKeyName(VstInt32, VstMidiKeyName*) {
  return false;
}

VstInt32 AudioEffectX::getNextShellPlugin(char*) {
  return 0;
}

void AudioEffectX::wantEvents(VstInt32 filter) {
  callHost(audioMasterWantMidi, 0, filter, nullptr, 0.0f);
}

bool AudioEffectX::sizeWindow(VstInt32 width, VstInt32 height) {
  return callHost(audioMasterSizeWindow, width, height, nullptr, 0.0f) != 0;
}
