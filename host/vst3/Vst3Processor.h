#pragma once

// The VST3 audio processing interfaces under their published names and numbers: the
// component, its buses, the processor, its process data and context, parameter changes
// and event lists. Records keep the platform's natural alignment, as published.

#include "host/vst3/Vst3Base.h"

namespace Steinberg {
namespace Vst {

using TChar = char16;
using String128 = TChar[128];
using CString = const char8*;
using MediaType = int32;
using BusDirection = int32;
using BusType = int32;
using IoMode = int32;
using UnitID = int32;
using ParamValue = double;
using ParamID = uint32;
using ProgramListID = int32;
using CtrlNumber = int16;
using TQuarterNotes = double;
using TSamples = int64;
using Sample32 = float;
using Sample64 = double;
using SampleRate = double;
using SpeakerArrangement = uint64;
using Speaker = uint64;

constexpr ParamID kNoParamId = 0xFFFFFFFF;

namespace SpeakerArr {
constexpr SpeakerArrangement kEmpty = 0;
constexpr SpeakerArrangement kMono = 1 << 19;  // the centre speaker
constexpr SpeakerArrangement kStereo = (1 << 0) | (1 << 1);  // left and right
}  // namespace SpeakerArr

enum MediaTypes { kAudio = 0, kEvent, kNumMediaTypes };
enum BusDirections { kInput = 0, kOutput };
enum BusTypes { kMain = 0, kAux };
enum IoModes { kSimple = 0, kAdvanced, kOfflineProcessing };
enum SymbolicSampleSizes { kSample32, kSample64 };
enum ProcessModes { kRealtime, kPrefetch, kOffline };

constexpr uint32 kNoTail = 0;
constexpr uint32 kInfiniteTail = 0xFFFFFFFFu;

class IEventList;
class IParameterChanges;

struct BusInfo {
  MediaType mediaType;
  BusDirection direction;
  int32 channelCount;
  String128 name;
  BusType busType;
  uint32 flags;
  enum BusFlags { kDefaultActive = 1 << 0, kIsControlVoltage = 1 << 1 };
};

struct RoutingInfo {
  MediaType mediaType;
  int32 busIndex;
  int32 channel;
};

struct ProcessSetup {
  int32 processMode;
  int32 symbolicSampleSize;
  int32 maxSamplesPerBlock;
  SampleRate sampleRate;
};

struct AudioBusBuffers {
  int32 numChannels;
  uint64 silenceFlags;
  union {
    Sample32** channelBuffers32;
    Sample64** channelBuffers64;
  };
};

struct FrameRate {
  uint32 framesPerSecond;
  uint32 flags;
};

struct Chord {
  uint8 keyNote;
  uint8 rootNote;
  int16 chordMask;
};

struct ProcessContext {
  enum StatesAndFlags {
    kPlaying = 1 << 1,
    kCycleActive = 1 << 2,
    kRecording = 1 << 3,
    kSystemTimeValid = 1 << 8,
    kContTimeValid = 1 << 17,
    kProjectTimeMusicValid = 1 << 9,
    kBarPositionValid = 1 << 11,
    kCycleValid = 1 << 12,
    kTempoValid = 1 << 10,
    kTimeSigValid = 1 << 13,
    kChordValid = 1 << 18,
    kSmpteValid = 1 << 14,
    kClockValid = 1 << 15
  };
  uint32 state;
  double sampleRate;
  TSamples projectTimeSamples;
  int64 systemTime;
  TSamples continousTimeSamples;
  TQuarterNotes projectTimeMusic;
  TQuarterNotes barPositionMusic;
  TQuarterNotes cycleStartMusic;
  TQuarterNotes cycleEndMusic;
  double tempo;
  int32 timeSigNumerator;
  int32 timeSigDenominator;
  Chord chord;
  int32 smpteOffsetSubframes;
  FrameRate frameRate;
  int32 samplesToNextClock;
};

struct ProcessData {
  int32 processMode;
  int32 symbolicSampleSize;
  int32 numSamples;
  int32 numInputs;
  int32 numOutputs;
  AudioBusBuffers* inputs;
  AudioBusBuffers* outputs;
  IParameterChanges* inputParameterChanges;
  IParameterChanges* outputParameterChanges;
  IEventList* inputEvents;
  IEventList* outputEvents;
  ProcessContext* processContext;
};

// No event's payload is read here: an event is declared whole so that a host's list can
// be read into it safely. The payload has the published union's size and alignment.
struct Event {
  enum EventTypes { kNoteOnEvent = 0, kNoteOffEvent = 1, kDataEvent = 2, kPolyPressureEvent = 3 };
  int32 busIndex;
  int32 sampleOffset;
  TQuarterNotes ppqPosition;
  uint16 flags;
  uint16 type;
  alignas(8) uint8 payload[24];
};

class IComponent : public IPluginBase {
 public:
  virtual tresult getControllerClassId(TUID classId) = 0;
  virtual tresult setIoMode(IoMode mode) = 0;
  virtual int32 getBusCount(MediaType type, BusDirection dir) = 0;
  virtual tresult getBusInfo(MediaType type, BusDirection dir, int32 index, BusInfo& bus) = 0;
  virtual tresult getRoutingInfo(RoutingInfo& inInfo, RoutingInfo& outInfo) = 0;
  virtual tresult activateBus(MediaType type, BusDirection dir, int32 index, TBool state) = 0;
  virtual tresult setActive(TBool state) = 0;
  virtual tresult setState(IBStream* state) = 0;
  virtual tresult getState(IBStream* state) = 0;
  static constexpr FUID iid{0xE831FF31, 0xF2D54301, 0x928EBBEE, 0x25697802};

 protected:
  ~IComponent() = default;
};

class IAudioProcessor : public FUnknown {
 public:
  virtual tresult setBusArrangements(SpeakerArrangement* inputs, int32 numIns, SpeakerArrangement* outputs,
                                     int32 numOuts) = 0;
  virtual tresult getBusArrangement(BusDirection dir, int32 index, SpeakerArrangement& arr) = 0;
  virtual tresult canProcessSampleSize(int32 symbolicSampleSize) = 0;
  virtual uint32 getLatencySamples() = 0;
  virtual tresult setupProcessing(ProcessSetup& setup) = 0;
  virtual tresult setProcessing(TBool state) = 0;
  virtual tresult process(ProcessData& data) = 0;
  virtual uint32 getTailSamples() = 0;
  static constexpr FUID iid{0x42043F99, 0xB7DA453C, 0xA569E79D, 0x9AAEC33D};

 protected:
  ~IAudioProcessor() = default;
};

class IProcessContextRequirements : public FUnknown {
 public:
  enum Flags {
    kNeedSystemTime = 1 << 0,
    kNeedContinousTimeSamples = 1 << 1,
    kNeedProjectTimeMusic = 1 << 2,
    kNeedBarPositionMusic = 1 << 3,
    kNeedCycleMusic = 1 << 4,
    kNeedSamplesToNextClock = 1 << 5,
    kNeedTempo = 1 << 6,
    kNeedTimeSignature = 1 << 7,
    kNeedChord = 1 << 8,
    kNeedFrameRate = 1 << 9,
    kNeedTransportState = 1 << 10,
  };
  virtual uint32 getProcessContextRequirements() = 0;
  static constexpr FUID iid{0x2A654303, 0xEF764E3D, 0x95B5FE83, 0x730EF6D0};

 protected:
  ~IProcessContextRequirements() = default;
};

class IParamValueQueue : public FUnknown {
 public:
  virtual ParamID getParameterId() = 0;
  virtual int32 getPointCount() = 0;
  virtual tresult getPoint(int32 index, int32& sampleOffset, ParamValue& value) = 0;
  virtual tresult addPoint(int32 sampleOffset, ParamValue value, int32& index) = 0;
  static constexpr FUID iid{0x01263A18, 0xED074F6F, 0x98C9D356, 0x4686F9BA};

 protected:
  ~IParamValueQueue() = default;
};

class IParameterChanges : public FUnknown {
 public:
  virtual int32 getParameterCount() = 0;
  virtual IParamValueQueue* getParameterData(int32 index) = 0;
  virtual IParamValueQueue* addParameterData(const ParamID& id, int32& index) = 0;
  static constexpr FUID iid{0xA4779663, 0x0BB64A56, 0xB44384A8, 0x466FEB9D};

 protected:
  ~IParameterChanges() = default;
};

class IEventList : public FUnknown {
 public:
  virtual int32 getEventCount() = 0;
  virtual tresult getEvent(int32 index, Event& e) = 0;
  virtual tresult addEvent(Event& e) = 0;
  static constexpr FUID iid{0x3A2C4214, 0x346349FE, 0xB2C4F397, 0xB9695A44};

 protected:
  ~IEventList() = default;
};

// The published layouts (natural alignment on 64-bit targets).
static_assert(sizeof(BusInfo) == 276, "BusInfo: 3 x 4 + 256 + 2 x 4");
static_assert(sizeof(ProcessSetup) == 24 && offsetof(ProcessSetup, sampleRate) == 16, "ProcessSetup");
static_assert(sizeof(AudioBusBuffers) == 24 && offsetof(AudioBusBuffers, channelBuffers32) == 16,
              "AudioBusBuffers");
static_assert(offsetof(ProcessContext, sampleRate) == 8 && offsetof(ProcessContext, projectTimeMusic) == 40 &&
                  offsetof(ProcessContext, tempo) == 72 && offsetof(ProcessContext, timeSigNumerator) == 80 &&
                  sizeof(ProcessContext) == 112,
              "ProcessContext");
static_assert(offsetof(ProcessData, inputs) == 24 && offsetof(ProcessData, inputParameterChanges) == 40 &&
                  offsetof(ProcessData, processContext) == 72 && sizeof(ProcessData) == 80,
              "ProcessData");
static_assert(sizeof(Event) == 48 && offsetof(Event, payload) == 24, "Event");

}  // namespace Vst
}  // namespace Steinberg
