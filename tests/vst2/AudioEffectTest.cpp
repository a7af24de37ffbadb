#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <string>

#include "host/vst2/AEffEditor.h"
#include "host/vst2/AudioEffectX.h"
#include "tests/support/RecordingHost.h"

namespace {

using QuorvelTest::RecordingHost;

// The smallest effect: the layer's defaults everywhere, plus a few recordings.
class BareEffect final : public AudioEffectX {
 public:
  BareEffect(audioMasterCallback host, bool* destroyedFlag = nullptr)
      : AudioEffectX(host, 32, 12), destroyed(destroyedFlag) {}
  ~BareEffect() override {
    if (destroyed != nullptr) *destroyed = true;
  }
  void processReplacing(float**, float**, VstInt32) override {}
  VstInt32 canDo(char* text) override {
    return receivesMidi && std::string(text) == "receiveVstMidiEvent" ? 1 : -1;
  }
  VstInt32 setChunk(void*, VstInt32 byteSize, bool) override {
    ++setChunkCalls;
    return byteSize;
  }
  void MakeSynth() { cEffect.flags |= effFlagsIsSynth; }

  bool receivesMidi = false;
  int setChunkCalls = 0;
  bool* destroyed;
};

class RecordingEditor final : public AEffEditor {
 public:
  RecordingEditor(AudioEffect* owner, bool* destroyedFlag) : AEffEditor(owner), destroyed(destroyedFlag) {}
  ~RecordingEditor() override { *destroyed = true; }
  bool onKeyDown(VstKeyCode& key) override {
    lastKey = key;
    return true;
  }
  bool getRect(ERect** rect) override {
    *rect = &rectangle;
    return true;
  }
  bool open(void* parent) override {
    AEffEditor::open(parent);
    return true;
  }
  ERect rectangle{0, 0, 344, 496};
  VstKeyCode lastKey{};
  bool* destroyed;
};

VstIntPtr Dispatch(AEffect* effect, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                   void* ptr = nullptr, float opt = 0.0f) {
  return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

TEST(AudioEffectLayer, RecordCarriesTheLayerDefaultsAndPointsBackAtTheObject) {
  BareEffect effect(nullptr);
  AEffect* record = effect.getAeffect();
  EXPECT_EQ(record->magic, 0x56737450);
  EXPECT_EQ(record->flags, 0x10);
  EXPECT_EQ(record->numPrograms, 32);
  EXPECT_EQ(record->numParams, 12);
  EXPECT_EQ(record->numInputs, 1);
  EXPECT_EQ(record->numOutputs, 2);
  EXPECT_EQ(record->uniqueID, 0x4E6F4566);  // 'N' 4E, 'o' 6F, 'E' 45, 'f' 66
  EXPECT_EQ(record->version, 1);
  EXPECT_EQ(record->ioRatio, 1.0f);
  EXPECT_EQ(record->initialDelay, 0);
  EXPECT_EQ(record->object, static_cast<AudioEffect*>(&effect));
  EXPECT_EQ(record->user, nullptr);
  EXPECT_NE(record->processReplacing, nullptr);
  EXPECT_NE(record->processDoubleReplacing, nullptr);
}

TEST(AudioEffectLayer, EffCloseThroughTheRecordDeletesButTheObjectsOwnDispatcherDoesNot) {
  bool destroyed = false;
  auto* effect = new BareEffect(nullptr, &destroyed);
  EXPECT_EQ(effect->dispatcher(effClose, 0, 0, nullptr, 0.0f), 0);
  EXPECT_FALSE(destroyed);
  AEffect* record = effect->getAeffect();
  EXPECT_EQ(Dispatch(record, effClose), 1);
  EXPECT_TRUE(destroyed);
}

TEST(AudioEffectLayer, ProgramSelectionDropsIndicesOutsideTheBank) {
  BareEffect effect(nullptr);
  AEffect* record = effect.getAeffect();
  Dispatch(record, effSetProgram, 0, 31);
  EXPECT_EQ(Dispatch(record, effGetProgram), 31);
  for (VstIntPtr bad : {VstIntPtr{32}, VstIntPtr{-1}, VstIntPtr{INT32_MIN}, VstIntPtr{1} << 40,
                        std::numeric_limits<VstIntPtr>::min()}) {
    EXPECT_EQ(Dispatch(record, effSetProgram, 0, bad), 0);
    EXPECT_EQ(Dispatch(record, effGetProgram), 31) << bad;
  }
}

TEST(AudioEffectLayer, FixedAnswersAndUnknownOpcodes) {
  BareEffect effect(nullptr);
  AEffect* record = effect.getAeffect();
  EXPECT_EQ(Dispatch(record, effIdentify), 0x4E764566);  // 'NvEf'
  EXPECT_EQ(Dispatch(record, effGetVstVersion), 2400);
  EXPECT_EQ(Dispatch(record, effGetTailSize), 0);
  EXPECT_EQ(Dispatch(record, effCanBeAutomated, 7), 1);
  EXPECT_EQ(Dispatch(record, effCanBeAutomated, -100), 1);
  EXPECT_EQ(Dispatch(record, effGetCurrentMidiProgram), -1);
  EXPECT_EQ(Dispatch(record, effSetTotalSampleToProcess, 0, 4096), 4096);
  EXPECT_EQ(Dispatch(record, effSetTotalSampleToProcess, 0, -5), -5);  // sign-extended int32
  EXPECT_EQ(Dispatch(record, effGetPlugCategory), kPlugCategUnknown);
  for (VstInt32 opcode : {28, 30, 31, 32, 36, 37, 43, 46, 53, 54, 55, 57, 80, 81, 1000, -1, INT32_MIN}) {
    EXPECT_EQ(Dispatch(record, opcode, 1, 1, nullptr, 1.0f), 0) << opcode;
  }
  effect.MakeSynth();
  EXPECT_EQ(Dispatch(record, effGetPlugCategory), kPlugCategSynth);
}

TEST(AudioEffectLayer, EditorOpcodesWithoutAnEditorAnswerZeroAndTouchNothing) {
  BareEffect effect(nullptr);
  AEffect* record = effect.getAeffect();
  ERect sentinel{};
  ERect* hostPointer = &sentinel;
  EXPECT_EQ(Dispatch(record, effEditGetRect, 0, 0, &hostPointer), 0);
  EXPECT_EQ(hostPointer, &sentinel);
  for (VstInt32 opcode : std::initializer_list<VstInt32>{
           effEditOpen, effEditClose, effEditIdle, effEditKeyDown, effEditKeyUp, effSetEditKnobMode,
           effEditDraw, effEditMouse, effEditKey, effEditTop, effEditSleep}) {
    EXPECT_EQ(Dispatch(record, opcode, 65, 1, &sentinel, 1.0f), 0) << opcode;
  }
}

TEST(AudioEffectLayer, AttachedEditorIsAnnouncedDrivenAndDeletedWithTheEffect) {
  bool editorDestroyed = false;
  {
    BareEffect effect(nullptr);
    AEffect* record = effect.getAeffect();
    auto* editor = new RecordingEditor(&effect, &editorDestroyed);
    effect.setEditor(editor);
    EXPECT_EQ(record->flags, 0x11);

    ERect* rect = nullptr;
    EXPECT_EQ(Dispatch(record, effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->right, 496);
    EXPECT_EQ(Dispatch(record, effEditGetRect, 0, 0, nullptr), 0);  // no place to store the answer

    int parent = 0;
    EXPECT_EQ(Dispatch(record, effEditOpen, 0, 0, &parent), 1);
    EXPECT_TRUE(editor->isOpen());
    EXPECT_EQ(Dispatch(record, effEditClose), 0);
    EXPECT_FALSE(editor->isOpen());

    // Key: character from index, virtual key from value's low byte, modifier from opt.
    EXPECT_EQ(Dispatch(record, effEditKeyDown, 'a', 0x10B, nullptr, 8.0f), 1);
    EXPECT_EQ(editor->lastKey.character, 'a');
    EXPECT_EQ(editor->lastKey.virt, 0x0B);
    EXPECT_EQ(editor->lastKey.modifier, 8);
    Dispatch(record, effEditKeyDown, 'b', 1, nullptr, std::nanf(""));
    EXPECT_EQ(editor->lastKey.modifier, 0);
    Dispatch(record, effEditKeyDown, 'c', 1, nullptr, 1e30f);
    EXPECT_EQ(editor->lastKey.modifier, 0);
    EXPECT_FALSE(editorDestroyed);
  }
  EXPECT_TRUE(editorDestroyed);
}

TEST(AudioEffectLayer, ResumeAsksForMidiOnlyWhenTheEffectTakesIt) {
  RecordingHost host;
  BareEffect effect(&RecordingHost::Callback);
  AEffect* record = effect.getAeffect();

  Dispatch(record, effMainsChanged, 0, 1);
  EXPECT_TRUE(host.CallsOf(audioMasterWantMidi).empty());

  effect.receivesMidi = true;
  Dispatch(record, effMainsChanged, 0, 0);
  EXPECT_TRUE(host.calls.empty());
  Dispatch(record, effMainsChanged, 0, 1);
  ASSERT_EQ(host.calls.size(), 1u);
  EXPECT_EQ(host.calls[0].opcode, audioMasterWantMidi);
  EXPECT_EQ(host.calls[0].value, 1);
  EXPECT_EQ(host.calls[0].effect, record);

  effect.receivesMidi = false;
  effect.MakeSynth();
  Dispatch(record, effMainsChanged, 0, 1);
  EXPECT_EQ(host.CallsOf(audioMasterWantMidi).size(), 2u);
}

TEST(AudioEffectLayer, HostCallsCarryTheirArgumentsAndAreNeutralWithoutAHost) {
  {
    RecordingHost host;
    BareEffect effect(&RecordingHost::Callback);
    effect.setParameterAutomated(4, 0.75f);
    VstTimeInfo info{};
    host.timeInfo = &info;
    EXPECT_EQ(effect.getTimeInfo(0x2602), &info);
    ASSERT_EQ(host.calls.size(), 2u);
    EXPECT_EQ(host.calls[0].opcode, audioMasterAutomate);
    EXPECT_EQ(host.calls[0].index, 4);
    EXPECT_EQ(host.calls[0].opt, 0.75f);
    EXPECT_EQ(host.calls[1].opcode, audioMasterGetTime);
    EXPECT_EQ(host.calls[1].value, 0x2602);
  }
  BareEffect orphan(nullptr);
  orphan.setParameterAutomated(0, 1.0f);
  orphan.wantEvents(1);
  EXPECT_EQ(orphan.getTimeInfo(0x2602), nullptr);
}

TEST(AudioEffectLayer, HostValuesThatCannotBeMeantAreRefusedAtTheDispatcher) {
  BareEffect effect(nullptr);
  AEffect* record = effect.getAeffect();
  Dispatch(record, effSetSampleRate, 0, 0, nullptr, 48000.0f);
  for (float bad : {std::nanf(""), -44100.0f, 0.0f, INFINITY, 1e12f}) {
    Dispatch(record, effSetSampleRate, 0, 0, nullptr, bad);
    EXPECT_EQ(effect.getSampleRate(), 48000.0f) << bad;
  }
  Dispatch(record, effSetBlockSize, 0, 512);
  for (VstIntPtr bad : {VstIntPtr{0}, VstIntPtr{-64}, VstIntPtr{1} << 33}) {
    Dispatch(record, effSetBlockSize, 0, bad);
    EXPECT_EQ(effect.getBlockSize(), 512);
  }
  char chunk[4] = {};
  EXPECT_EQ(Dispatch(record, effSetChunk, 0, VstIntPtr{1} << 32, chunk), 0);
  EXPECT_EQ(Dispatch(record, effSetChunk, 0, -(VstIntPtr{1} << 32), chunk), 0);
  EXPECT_EQ(effect.setChunkCalls, 0);
  EXPECT_EQ(Dispatch(record, effGetChunk, 0, 0, nullptr), 0);
}

TEST(AudioEffectLayer, DefaultsWriteNothingThroughNullPointersAndClearOutPointers) {
  BareEffect effect(nullptr);
  AEffect* record = effect.getAeffect();
  for (VstInt32 opcode : std::initializer_list<VstInt32>{
           effGetProgramName, effSetProgramName, effGetParamLabel, effGetParamDisplay, effGetParamName,
           effGetEffectName, effGetVendorString, effGetProductString, effProcessEvents,
           effGetSpeakerArrangement, effGetParameterProperties, effGetInputProperties, effString2Parameter,
           effShellGetNextPlugin, effVendorSpecific}) {
    EXPECT_EQ(Dispatch(record, opcode, 3, 0, nullptr), 0) << opcode;
  }
  char name[8] = {'x', 'x', 'x', 'x', 'x', 'x', 'x', 'x'};
  Dispatch(record, effGetParamName, 0, 0, name);
  EXPECT_EQ(name[0], 0);

  int dummy = 0;
  auto* input = reinterpret_cast<VstSpeakerArrangement*>(&dummy);
  auto* output = reinterpret_cast<VstSpeakerArrangement*>(&dummy);
  EXPECT_EQ(Dispatch(record, effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&input), &output), 0);
  EXPECT_EQ(input, nullptr);
  EXPECT_EQ(output, nullptr);
}

TEST(AudioEffectLayer, DeprecatedAccumulatingProcessLeavesTheOutputsAlone) {
  BareEffect effect(nullptr);
  AEffect* record = effect.getAeffect();
  float in[4] = {1, 1, 1, 1};
  float out[4] = {7, 7, 7, 7};
  float* inputs[2] = {in, in};
  float* outputs[2] = {out, out};
  record->process(record, inputs, outputs, 4);
  record->processDoubleReplacing(record, nullptr, nullptr, 4);
  EXPECT_EQ(out[3], 7.0f);
}

}  // namespace
