// The VST 2.4 plug-in interface: records, function types, opcodes and constants,
// declared by this project under their published names and numbers. Both the
// plug-in and the project's command-line host include this header. The
// static_asserts at the end prove the 64-bit layout that hosts expect; they hold
// for the native (x86_64 Linux) and the Windows x64 build alike.
#pragma once

#include <cstddef>
#include <cstdint>

// The platform's C calling convention (on x86_64 there is only one).
#define VSTCALLBACK

typedef std::int16_t VstInt16;
typedef std::int32_t VstInt32;
typedef std::int64_t VstInt64;
typedef std::intptr_t VstIntPtr;

// Builds a four-character constant such as 'VstP' portably.
#define CCONST(a, b, c, d)                                                                                 \
  ((static_cast<VstInt32>(a) << 24) | (static_cast<VstInt32>(b) << 16) | (static_cast<VstInt32>(c) << 8) | \
   static_cast<VstInt32>(d))

// ---------------------------------------------------------------------------------------------
// Versions and fixed text widths.

enum : VstInt32 { kVstVersion = 2400 };

enum : VstInt32 { kEffectMagic = 0x56737450 };  // 'VstP'

enum VstStringConstants : VstInt32 {
  kVstMaxProgNameLen = 24,
  kVstMaxParamStrLen = 8,
  kVstMaxVendorStrLen = 64,
  kVstMaxProductStrLen = 64,
  kVstMaxEffectNameLen = 32,
  kVstMaxNameLen = 64,
  kVstMaxLabelLen = 64,
  kVstMaxShortLabelLen = 8,
  kVstMaxCategLabelLen = 24,
  kVstMaxFileNameLen = 100
};

// ---------------------------------------------------------------------------------------------
// The effect record and its function types.

struct AEffect;

typedef VstIntPtr(VSTCALLBACK* audioMasterCallback)(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                                    VstIntPtr value, void* ptr, float opt);
typedef VstIntPtr(VSTCALLBACK* AEffectDispatcherProc)(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                                      VstIntPtr value, void* ptr, float opt);
typedef void(VSTCALLBACK* AEffectProcessProc)(AEffect* effect, float** inputs, float** outputs,
                                              VstInt32 sampleFrames);
typedef void(VSTCALLBACK* AEffectProcessDoubleProc)(AEffect* effect, double** inputs, double** outputs,
                                                    VstInt32 sampleFrames);
typedef void(VSTCALLBACK* AEffectSetParameterProc)(AEffect* effect, VstInt32 index, float parameter);
typedef float(VSTCALLBACK* AEffectGetParameterProc)(AEffect* effect, VstInt32 index);

// The module's exported entry point: VSTPluginMain (and main, the same function).
typedef AEffect*(VSTCALLBACK* VstPluginMainProc)(audioMasterCallback audioMaster);

struct AEffect {
  VstInt32 magic;  // kEffectMagic
  AEffectDispatcherProc dispatcher;
  AEffectProcessProc process;  // deprecated accumulating process
  AEffectSetParameterProc setParameter;
  AEffectGetParameterProc getParameter;
  VstInt32 numPrograms;
  VstInt32 numParams;
  VstInt32 numInputs;
  VstInt32 numOutputs;
  VstInt32 flags;  // VstAEffectFlags
  VstIntPtr resvd1;
  VstIntPtr resvd2;
  VstInt32 initialDelay;
  VstInt32 realQualities;  // deprecated
  VstInt32 offQualities;   // deprecated
  float ioRatio;           // deprecated
  void* object;            // the plug-in's own object
  void* user;              // free for the host
  VstInt32 uniqueID;
  VstInt32 version;
  AEffectProcessProc processReplacing;
  AEffectProcessDoubleProc processDoubleReplacing;
  char future[56];
};

enum VstAEffectFlags : VstInt32 {
  effFlagsHasEditor = 1 << 0,
  effFlagsHasClip = 1 << 1,  // deprecated
  effFlagsHasVu = 1 << 2,    // deprecated
  effFlagsCanMono = 1 << 3,  // deprecated
  effFlagsCanReplacing = 1 << 4,
  effFlagsProgramChunks = 1 << 5,
  effFlagsIsSynth = 1 << 8,
  effFlagsNoSoundInStop = 1 << 9,
  effFlagsExtIsAsync = 1 << 10,    // deprecated
  effFlagsExtHasBuffer = 1 << 11,  // deprecated
  effFlagsCanDoubleReplacing = 1 << 12
};

// ---------------------------------------------------------------------------------------------
// Dispatcher opcodes, host to plug-in (0..24 from VST 1.0/2.0 core, 25..79 the extensions).

enum AEffectOpcodes : VstInt32 {
  effOpen = 0,
  effClose = 1,
  effSetProgram = 2,
  effGetProgram = 3,
  effSetProgramName = 4,
  effGetProgramName = 5,
  effGetParamLabel = 6,
  effGetParamDisplay = 7,
  effGetParamName = 8,
  effGetVu = 9,  // deprecated
  effSetSampleRate = 10,
  effSetBlockSize = 11,
  effMainsChanged = 12,
  effEditGetRect = 13,
  effEditOpen = 14,
  effEditClose = 15,
  effEditDraw = 16,   // deprecated
  effEditMouse = 17,  // deprecated
  effEditKey = 18,    // deprecated
  effEditIdle = 19,
  effEditTop = 20,    // deprecated
  effEditSleep = 21,  // deprecated
  effIdentify = 22,   // deprecated
  effGetChunk = 23,
  effSetChunk = 24,
  effNumOpcodes = 25
};

enum AEffectXOpcodes : VstInt32 {
  effProcessEvents = 25,
  effCanBeAutomated = 26,
  effString2Parameter = 27,
  effGetNumProgramCategories = 28,  // deprecated
  effGetProgramNameIndexed = 29,
  effCopyProgram = 30,    // deprecated
  effConnectInput = 31,   // deprecated
  effConnectOutput = 32,  // deprecated
  effGetInputProperties = 33,
  effGetOutputProperties = 34,
  effGetPlugCategory = 35,
  effGetCurrentPosition = 36,    // deprecated
  effGetDestinationBuffer = 37,  // deprecated
  effOfflineNotify = 38,
  effOfflinePrepare = 39,
  effOfflineRun = 40,
  effProcessVarIo = 41,
  effSetSpeakerArrangement = 42,
  effSetBlockSizeAndSampleRate = 43,  // deprecated
  effSetBypass = 44,
  effGetEffectName = 45,
  effGetErrorText = 46,  // deprecated
  effGetVendorString = 47,
  effGetProductString = 48,
  effGetVendorVersion = 49,
  effVendorSpecific = 50,
  effCanDo = 51,
  effGetTailSize = 52,
  effIdle = 53,             // deprecated
  effGetIcon = 54,          // deprecated
  effSetViewPosition = 55,  // deprecated
  effGetParameterProperties = 56,
  effKeysRequired = 57,  // deprecated
  effGetVstVersion = 58,
  effEditKeyDown = 59,
  effEditKeyUp = 60,
  effSetEditKnobMode = 61,
  effGetMidiProgramName = 62,
  effGetCurrentMidiProgram = 63,
  effGetMidiProgramCategory = 64,
  effHasMidiProgramsChanged = 65,
  effGetMidiKeyName = 66,
  effBeginSetProgram = 67,
  effEndSetProgram = 68,
  effGetSpeakerArrangement = 69,
  effShellGetNextPlugin = 70,
  effStartProcess = 71,
  effStopProcess = 72,
  effSetTotalSampleToProcess = 73,
  effSetPanLaw = 74,
  effBeginLoadBank = 75,
  effBeginLoadProgram = 76,
  effSetProcessPrecision = 77,
  effGetNumMidiInputChannels = 78,
  effGetNumMidiOutputChannels = 79
};

// ---------------------------------------------------------------------------------------------
// Host opcodes, plug-in to host (the audioMasterCallback's opcode argument).

enum AudioMasterOpcodes : VstInt32 {
  audioMasterAutomate = 0,
  audioMasterVersion = 1,
  audioMasterCurrentId = 2,
  audioMasterIdle = 3,
  audioMasterPinConnected = 4  // deprecated
};

enum AudioMasterOpcodesX : VstInt32 {
  audioMasterWantMidi = 6,  // deprecated
  audioMasterGetTime = 7,
  audioMasterProcessEvents = 8,
  audioMasterSetTime = 9,                       // deprecated
  audioMasterTempoAt = 10,                      // deprecated
  audioMasterGetNumAutomatableParameters = 11,  // deprecated
  audioMasterGetParameterQuantization = 12,     // deprecated
  audioMasterIOChanged = 13,
  audioMasterNeedIdle = 14,  // deprecated
  audioMasterSizeWindow = 15,
  audioMasterGetSampleRate = 16,
  audioMasterGetBlockSize = 17,
  audioMasterGetInputLatency = 18,
  audioMasterGetOutputLatency = 19,
  audioMasterGetPreviousPlug = 20,          // deprecated
  audioMasterGetNextPlug = 21,              // deprecated
  audioMasterWillReplaceOrAccumulate = 22,  // deprecated
  audioMasterGetCurrentProcessLevel = 23,
  audioMasterGetAutomationState = 24,
  audioMasterOfflineStart = 25,
  audioMasterOfflineRead = 26,
  audioMasterOfflineWrite = 27,
  audioMasterOfflineGetCurrentPass = 28,
  audioMasterOfflineGetCurrentMetaPass = 29,
  audioMasterSetOutputSampleRate = 30,          // deprecated
  audioMasterGetOutputSpeakerArrangement = 31,  // deprecated
  audioMasterGetVendorString = 32,
  audioMasterGetProductString = 33,
  audioMasterGetVendorVersion = 34,
  audioMasterVendorSpecific = 35,
  audioMasterSetIcon = 36,  // deprecated
  audioMasterCanDo = 37,
  audioMasterGetLanguage = 38,
  audioMasterOpenWindow = 39,   // deprecated
  audioMasterCloseWindow = 40,  // deprecated
  audioMasterGetDirectory = 41,
  audioMasterUpdateDisplay = 42,
  audioMasterBeginEdit = 43,
  audioMasterEndEdit = 44,
  audioMasterOpenFileSelector = 45,
  audioMasterCloseFileSelector = 46,
  audioMasterEditFile = 47,                   // deprecated
  audioMasterGetChunkFile = 48,               // deprecated
  audioMasterGetInputSpeakerArrangement = 49  // deprecated
};

// ---------------------------------------------------------------------------------------------
// Events (effProcessEvents, audioMasterProcessEvents).

struct VstEvent {
  VstInt32 type;         // VstEventTypes
  VstInt32 byteSize;     // size of the event after this field: sizeof(record) - 8
  VstInt32 deltaFrames;  // sample offset in the current block
  VstInt32 flags;
  char data[16];
};

enum VstEventTypes : VstInt32 {
  kVstMidiType = 1,
  kVstAudioType = 2,      // deprecated
  kVstVideoType = 3,      // deprecated
  kVstParameterType = 4,  // deprecated
  kVstTriggerType = 5,    // deprecated
  kVstSysExType = 6
};

struct VstEvents {
  VstInt32 numEvents;
  VstIntPtr reserved;
  VstEvent* events[2];  // numEvents pointers in fact (variable length)
};

struct VstMidiEvent {
  VstInt32 type;  // kVstMidiType
  VstInt32 byteSize;
  VstInt32 deltaFrames;
  VstInt32 flags;  // VstMidiEventFlags
  VstInt32 noteLength;
  VstInt32 noteOffset;
  char midiData[4];  // status, data1, data2, 0
  char detune;
  char noteOffVelocity;
  char reserved1;
  char reserved2;
};

enum VstMidiEventFlags : VstInt32 { kVstMidiEventIsRealtime = 1 << 0 };

struct VstMidiSysexEvent {
  VstInt32 type;  // kVstSysExType
  VstInt32 byteSize;
  VstInt32 deltaFrames;
  VstInt32 flags;
  VstInt32 dumpBytes;
  VstIntPtr resvd1;
  char* sysexDump;
  VstIntPtr resvd2;
};

// ---------------------------------------------------------------------------------------------
// Host time information (audioMasterGetTime).

struct VstTimeInfo {
  double samplePos;
  double sampleRate;
  double nanoSeconds;
  double ppqPos;
  double tempo;
  double barStartPos;
  double cycleStartPos;
  double cycleEndPos;
  VstInt32 timeSigNumerator;
  VstInt32 timeSigDenominator;
  VstInt32 smpteOffset;
  VstInt32 smpteFrameRate;  // VstSmpteFrameRate
  VstInt32 samplesToNextClock;
  VstInt32 flags;  // VstTimeInfoFlags
};

enum VstTimeInfoFlags : VstInt32 {
  kVstTransportChanged = 1,
  kVstTransportPlaying = 1 << 1,
  kVstTransportCycleActive = 1 << 2,
  kVstTransportRecording = 1 << 3,
  kVstAutomationWriting = 1 << 6,
  kVstAutomationReading = 1 << 7,
  kVstNanosValid = 1 << 8,
  kVstPpqPosValid = 1 << 9,
  kVstTempoValid = 1 << 10,
  kVstBarsValid = 1 << 11,
  kVstCyclePosValid = 1 << 12,
  kVstTimeSigValid = 1 << 13,
  kVstSmpteValid = 1 << 14,
  kVstClockValid = 1 << 15
};

enum VstSmpteFrameRate : VstInt32 {
  kVstSmpte24fps = 0,
  kVstSmpte25fps = 1,
  kVstSmpte2997fps = 2,
  kVstSmpte30fps = 3,
  kVstSmpte2997dfps = 4,
  kVstSmpte30dfps = 5,
  kVstSmpteFilm16mm = 6,
  kVstSmpteFilm35mm = 7,
  kVstSmpte239fps = 10,
  kVstSmpte249fps = 11,
  kVstSmpte599fps = 12,
  kVstSmpte60fps = 13
};

// ---------------------------------------------------------------------------------------------
// Editor records.

struct ERect {
  VstInt16 top;
  VstInt16 left;
  VstInt16 bottom;
  VstInt16 right;
};

struct VstKeyCode {
  VstInt32 character;
  unsigned char virt;      // VstVirtualKey
  unsigned char modifier;  // VstModifierKey
};

enum VstVirtualKey {
  VKEY_BACK = 1,
  VKEY_TAB,
  VKEY_CLEAR,
  VKEY_RETURN,
  VKEY_PAUSE,
  VKEY_ESCAPE,
  VKEY_SPACE,
  VKEY_NEXT,
  VKEY_END,
  VKEY_HOME,
  VKEY_LEFT,
  VKEY_UP,
  VKEY_RIGHT,
  VKEY_DOWN,
  VKEY_PAGEUP,
  VKEY_PAGEDOWN,
  VKEY_SELECT,
  VKEY_PRINT,
  VKEY_ENTER,
  VKEY_SNAPSHOT,
  VKEY_INSERT,
  VKEY_DELETE,
  VKEY_HELP,
  VKEY_NUMPAD0,
  VKEY_NUMPAD1,
  VKEY_NUMPAD2,
  VKEY_NUMPAD3,
  VKEY_NUMPAD4,
  VKEY_NUMPAD5,
  VKEY_NUMPAD6,
  VKEY_NUMPAD7,
  VKEY_NUMPAD8,
  VKEY_NUMPAD9,
  VKEY_MULTIPLY,
  VKEY_ADD,
  VKEY_SEPARATOR,
  VKEY_SUBTRACT,
  VKEY_DECIMAL,
  VKEY_DIVIDE,
  VKEY_F1,
  VKEY_F2,
  VKEY_F3,
  VKEY_F4,
  VKEY_F5,
  VKEY_F6,
  VKEY_F7,
  VKEY_F8,
  VKEY_F9,
  VKEY_F10,
  VKEY_F11,
  VKEY_F12,
  VKEY_NUMLOCK,
  VKEY_SCROLL,
  VKEY_SHIFT,
  VKEY_CONTROL,
  VKEY_ALT,
  VKEY_EQUALS
};

enum VstModifierKey {
  MODIFIER_SHIFT = 1 << 0,
  MODIFIER_ALTERNATE = 1 << 1,
  MODIFIER_COMMAND = 1 << 2,
  MODIFIER_CONTROL = 1 << 3
};

enum VstKnobMode : VstInt32 { kCircularMode = 0, kRelativCircularMode, kLinearMode };

// ---------------------------------------------------------------------------------------------
// Categories, properties and other extension records.

enum VstPlugCategory : VstInt32 {
  kPlugCategUnknown = 0,
  kPlugCategEffect,
  kPlugCategSynth,
  kPlugCategAnalysis,
  kPlugCategMastering,
  kPlugCategSpacializer,
  kPlugCategRoomFx,
  kPlugSurroundFx,
  kPlugCategRestoration,
  kPlugCategOfflineProcess,
  kPlugCategShell,
  kPlugCategGenerator,
  kPlugCategMaxCount
};

enum VstProcessPrecision : VstInt32 { kVstProcessPrecision32 = 0, kVstProcessPrecision64 };

enum VstPanLawType : VstInt32 { kLinearPanLaw = 0, kEqualPowerPanLaw };

enum VstProcessLevels : VstInt32 {
  kVstProcessLevelUnknown = 0,
  kVstProcessLevelUser,
  kVstProcessLevelRealtime,
  kVstProcessLevelPrefetch,
  kVstProcessLevelOffline
};

enum VstAutomationStates : VstInt32 {
  kVstAutomationUnsupported = 0,
  kVstAutomationOff,
  kVstAutomationRead,
  kVstAutomationWrite,
  kVstAutomationReadWrite
};

enum VstHostLanguage : VstInt32 {
  kVstLangEnglish = 1,
  kVstLangGerman,
  kVstLangFrench,
  kVstLangItalian,
  kVstLangSpanish,
  kVstLangJapanese
};

struct VstParameterProperties {
  float stepFloat;
  float smallStepFloat;
  float largeStepFloat;
  char label[kVstMaxLabelLen];
  VstInt32 flags;  // VstParameterFlags
  VstInt32 minInteger;
  VstInt32 maxInteger;
  VstInt32 stepInteger;
  VstInt32 largeStepInteger;
  char shortLabel[kVstMaxShortLabelLen];
  VstInt16 displayIndex;
  VstInt16 category;
  VstInt16 numParametersInCategory;
  VstInt16 reserved;
  char categoryLabel[kVstMaxCategLabelLen];
  char future[16];
};

enum VstParameterFlags : VstInt32 {
  kVstParameterIsSwitch = 1 << 0,
  kVstParameterUsesIntegerMinMax = 1 << 1,
  kVstParameterUsesFloatStep = 1 << 2,
  kVstParameterUsesIntStep = 1 << 3,
  kVstParameterSupportsDisplayIndex = 1 << 4,
  kVstParameterSupportsDisplayCategory = 1 << 5,
  kVstParameterCanRamp = 1 << 6
};

struct VstPinProperties {
  char label[kVstMaxLabelLen];
  VstInt32 flags;  // VstPinPropertiesFlags
  VstInt32 arrangementType;
  char shortLabel[kVstMaxShortLabelLen];
  char future[48];
};

enum VstPinPropertiesFlags : VstInt32 {
  kVstPinIsActive = 1 << 0,
  kVstPinIsStereo = 1 << 1,
  kVstPinUseSpeaker = 1 << 2
};

struct VstMidiProgramName {
  VstInt32 thisProgramIndex;
  char name[kVstMaxNameLen];
  char midiProgram;
  char midiBankMsb;
  char midiBankLsb;
  char reserved;
  VstInt32 parentCategoryIndex;
  VstInt32 flags;
};

struct VstMidiProgramCategory {
  VstInt32 thisCategoryIndex;
  char name[kVstMaxNameLen];
  VstInt32 parentCategoryIndex;
  VstInt32 flags;
};

struct VstMidiKeyName {
  VstInt32 thisProgramIndex;
  VstInt32 thisKeyNumber;
  char keyName[kVstMaxNameLen];
  VstInt32 reserved;
  VstInt32 flags;
};

struct VstSpeakerProperties {
  float azimuth;
  float elevation;
  float radius;
  float reserved;
  char name[kVstMaxNameLen];
  VstInt32 type;
  char future[28];
};

struct VstSpeakerArrangement {
  VstInt32 type;
  VstInt32 numChannels;
  VstSpeakerProperties speakers[8];  // numChannels entries in fact (variable length)
};

enum VstSpeakerArrangementType : VstInt32 {
  kSpeakerArrUserDefined = -2,
  kSpeakerArrEmpty = -1,
  kSpeakerArrMono = 0,
  kSpeakerArrStereo,
  kSpeakerArrStereoSurround,
  kSpeakerArrStereoCenter,
  kSpeakerArrStereoSide,
  kSpeakerArrStereoCLfe
};

struct VstVariableIo {
  float** inputs;
  float** outputs;
  VstInt32 numSamplesInput;
  VstInt32 numSamplesOutput;
  VstInt32* numSamplesInputProcessed;
  VstInt32* numSamplesOutputProcessed;
};

struct VstPatchChunkInfo {
  VstInt32 version;
  VstInt32 pluginUniqueID;
  VstInt32 pluginVersion;
  VstInt32 numElements;
  char future[48];
};

// ---------------------------------------------------------------------------------------------
// The 64-bit layout hosts expect (DESIGN.md), proven on every target this project builds.

static_assert(sizeof(void*) == 8, "the VST 2.4 layout below is the 64-bit one");
static_assert(sizeof(VstIntPtr) == 8, "VstIntPtr is pointer-sized");

static_assert(sizeof(AEffect) == 192, "AEffect size");
static_assert(offsetof(AEffect, magic) == 0, "AEffect::magic");
static_assert(offsetof(AEffect, dispatcher) == 8, "AEffect::dispatcher");
static_assert(offsetof(AEffect, process) == 16, "AEffect::process");
static_assert(offsetof(AEffect, setParameter) == 24, "AEffect::setParameter");
static_assert(offsetof(AEffect, getParameter) == 32, "AEffect::getParameter");
static_assert(offsetof(AEffect, numPrograms) == 40, "AEffect::numPrograms");
static_assert(offsetof(AEffect, numParams) == 44, "AEffect::numParams");
static_assert(offsetof(AEffect, numInputs) == 48, "AEffect::numInputs");
static_assert(offsetof(AEffect, numOutputs) == 52, "AEffect::numOutputs");
static_assert(offsetof(AEffect, flags) == 56, "AEffect::flags");
static_assert(offsetof(AEffect, resvd1) == 64, "AEffect::resvd1");
static_assert(offsetof(AEffect, resvd2) == 72, "AEffect::resvd2");
static_assert(offsetof(AEffect, initialDelay) == 80, "AEffect::initialDelay");
static_assert(offsetof(AEffect, realQualities) == 84, "AEffect::realQualities");
static_assert(offsetof(AEffect, offQualities) == 88, "AEffect::offQualities");
static_assert(offsetof(AEffect, ioRatio) == 92, "AEffect::ioRatio");
static_assert(offsetof(AEffect, object) == 96, "AEffect::object");
static_assert(offsetof(AEffect, user) == 104, "AEffect::user");
static_assert(offsetof(AEffect, uniqueID) == 112, "AEffect::uniqueID");
static_assert(offsetof(AEffect, version) == 116, "AEffect::version");
static_assert(offsetof(AEffect, processReplacing) == 120, "AEffect::processReplacing");
static_assert(offsetof(AEffect, processDoubleReplacing) == 128, "AEffect::processDoubleReplacing");
static_assert(offsetof(AEffect, future) == 136, "AEffect::future");

static_assert(sizeof(VstTimeInfo) == 88, "VstTimeInfo size");
static_assert(offsetof(VstTimeInfo, samplePos) == 0, "VstTimeInfo::samplePos");
static_assert(offsetof(VstTimeInfo, sampleRate) == 8, "VstTimeInfo::sampleRate");
static_assert(offsetof(VstTimeInfo, ppqPos) == 24, "VstTimeInfo::ppqPos");
static_assert(offsetof(VstTimeInfo, tempo) == 32, "VstTimeInfo::tempo");
static_assert(offsetof(VstTimeInfo, barStartPos) == 40, "VstTimeInfo::barStartPos");
static_assert(offsetof(VstTimeInfo, timeSigNumerator) == 64, "VstTimeInfo::timeSigNumerator");
static_assert(offsetof(VstTimeInfo, timeSigDenominator) == 68, "VstTimeInfo::timeSigDenominator");
static_assert(offsetof(VstTimeInfo, samplesToNextClock) == 80, "VstTimeInfo::samplesToNextClock");
static_assert(offsetof(VstTimeInfo, flags) == 84, "VstTimeInfo::flags");

static_assert(sizeof(VstEvent) == 32, "VstEvent size");
static_assert(offsetof(VstEvents, numEvents) == 0, "VstEvents::numEvents");
static_assert(offsetof(VstEvents, reserved) == 8, "VstEvents::reserved");
static_assert(offsetof(VstEvents, events) == 16, "VstEvents::events");
static_assert(sizeof(VstMidiEvent) == 32, "VstMidiEvent size");
static_assert(offsetof(VstMidiEvent, deltaFrames) == 8, "VstMidiEvent::deltaFrames");
static_assert(offsetof(VstMidiEvent, noteLength) == 16, "VstMidiEvent::noteLength");
static_assert(offsetof(VstMidiEvent, midiData) == 24, "VstMidiEvent::midiData");
static_assert(offsetof(VstMidiEvent, detune) == 28, "VstMidiEvent::detune");
static_assert(sizeof(VstMidiSysexEvent) == 48, "VstMidiSysexEvent size");
static_assert(offsetof(VstMidiSysexEvent, dumpBytes) == 16, "VstMidiSysexEvent::dumpBytes");
static_assert(offsetof(VstMidiSysexEvent, sysexDump) == 32, "VstMidiSysexEvent::sysexDump");

static_assert(sizeof(ERect) == 8, "ERect size");
static_assert(offsetof(ERect, top) == 0 && offsetof(ERect, left) == 2 && offsetof(ERect, bottom) == 4 &&
                  offsetof(ERect, right) == 6,
              "ERect order: top, left, bottom, right");
static_assert(sizeof(VstKeyCode) == 8, "VstKeyCode size");
static_assert(offsetof(VstKeyCode, virt) == 4 && offsetof(VstKeyCode, modifier) == 5, "VstKeyCode fields");

static_assert(sizeof(VstPinProperties) == 128, "VstPinProperties size");
static_assert(sizeof(VstParameterProperties) == 152, "VstParameterProperties size");
static_assert(sizeof(VstSpeakerProperties) == 112, "VstSpeakerProperties size");
static_assert(sizeof(VstPatchChunkInfo) == 64, "VstPatchChunkInfo size");

static_assert(kEffectMagic == CCONST('V', 's', 't', 'P'), "kEffectMagic is 'VstP'");
static_assert(effFlagsCanReplacing == 0x10 && effFlagsProgramChunks == 0x20 && effFlagsHasEditor == 0x01 &&
                  effFlagsCanDoubleReplacing == 0x1000 && effFlagsIsSynth == 0x100,
              "effFlags values");
static_assert((kVstTransportPlaying | kVstPpqPosValid | kVstTempoValid | kVstTimeSigValid) == 0x2602,
              "the Controller's time-info filter");
