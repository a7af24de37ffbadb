#pragma once

// The VST3 edit controller interfaces under their published names and numbers: the
// controller and its parameters, the host's component handler, MIDI mapping, units and
// program lists, the connection point and the host application.

#include "host/vst3/Vst3Processor.h"

namespace Steinberg {

class IPlugView;

namespace Vst {

constexpr UnitID kRootUnitId = 0;
constexpr UnitID kNoParentUnitId = -1;
constexpr ProgramListID kNoProgramListId = -1;

namespace ViewType {
constexpr CString kEditor = "editor";
}  // namespace ViewType

enum RestartFlags {
  kReloadComponent = 1 << 0,
  kIoChanged = 1 << 1,
  kParamValuesChanged = 1 << 2,
  kLatencyChanged = 1 << 3,
  kParamTitlesChanged = 1 << 4,
  kMidiCCAssignmentChanged = 1 << 5,
};

struct ParameterInfo {
  ParamID id;
  String128 title;
  String128 shortTitle;
  String128 units;
  int32 stepCount;
  ParamValue defaultNormalizedValue;
  UnitID unitId;
  int32 flags;
  enum ParameterFlags {
    kNoFlags = 0,
    kCanAutomate = 1 << 0,
    kIsReadOnly = 1 << 1,
    kIsWrapAround = 1 << 2,
    kIsList = 1 << 3,
    kIsHidden = 1 << 4,
    kIsProgramChange = 1 << 15,
    kIsBypass = 1 << 16
  };
};

struct UnitInfo {
  UnitID id;
  UnitID parentUnitId;
  String128 name;
  ProgramListID programListId;
};

struct ProgramListInfo {
  ProgramListID id;
  String128 name;
  int32 programCount;
};

class IComponentHandler : public FUnknown {
 public:
  virtual tresult beginEdit(ParamID id) = 0;
  virtual tresult performEdit(ParamID id, ParamValue valueNormalized) = 0;
  virtual tresult endEdit(ParamID id) = 0;
  virtual tresult restartComponent(int32 flags) = 0;
  static constexpr FUID iid{0x93A0BEA3, 0x0BD045DB, 0x8E890B0C, 0xC1E46AC6};

 protected:
  ~IComponentHandler() = default;
};

class IComponentHandler2 : public FUnknown {
 public:
  virtual tresult setDirty(TBool state) = 0;
  virtual tresult requestOpenEditor(FIDString name) = 0;
  virtual tresult startGroupEdit() = 0;
  virtual tresult finishGroupEdit() = 0;
  static constexpr FUID iid{0xF040B4B3, 0xA36045EC, 0xABCDC045, 0xB4D5A2CC};

 protected:
  ~IComponentHandler2() = default;
};

class IEditController : public IPluginBase {
 public:
  virtual tresult setComponentState(IBStream* state) = 0;
  virtual tresult setState(IBStream* state) = 0;
  virtual tresult getState(IBStream* state) = 0;
  virtual int32 getParameterCount() = 0;
  virtual tresult getParameterInfo(int32 paramIndex, ParameterInfo& info) = 0;
  virtual tresult getParamStringByValue(ParamID id, ParamValue valueNormalized, String128 string) = 0;
  virtual tresult getParamValueByString(ParamID id, TChar* string, ParamValue& valueNormalized) = 0;
  virtual ParamValue normalizedParamToPlain(ParamID id, ParamValue valueNormalized) = 0;
  virtual ParamValue plainParamToNormalized(ParamID id, ParamValue plainValue) = 0;
  virtual ParamValue getParamNormalized(ParamID id) = 0;
  virtual tresult setParamNormalized(ParamID id, ParamValue value) = 0;
  virtual tresult setComponentHandler(IComponentHandler* handler) = 0;
  virtual IPlugView* createView(FIDString name) = 0;
  static constexpr FUID iid{0xDCD7BBE3, 0x7742448D, 0xA874AACC, 0x979C759E};

 protected:
  ~IEditController() = default;
};

class IMidiMapping : public FUnknown {
 public:
  virtual tresult getMidiControllerAssignment(int32 busIndex, int16 channel, CtrlNumber midiControllerNumber,
                                              ParamID& id) = 0;
  static constexpr FUID iid{0xDF0FF9F7, 0x49B74669, 0xB63AB732, 0x7ADBF5E5};

 protected:
  ~IMidiMapping() = default;
};

class IUnitInfo : public FUnknown {
 public:
  virtual int32 getUnitCount() = 0;
  virtual tresult getUnitInfo(int32 unitIndex, UnitInfo& info) = 0;
  virtual int32 getProgramListCount() = 0;
  virtual tresult getProgramListInfo(int32 listIndex, ProgramListInfo& info) = 0;
  virtual tresult getProgramName(ProgramListID listId, int32 programIndex, String128 name) = 0;
  virtual tresult getProgramInfo(ProgramListID listId, int32 programIndex, CString attributeId,
                                 String128 attributeValue) = 0;
  virtual tresult hasProgramPitchNames(ProgramListID listId, int32 programIndex) = 0;
  virtual tresult getProgramPitchName(ProgramListID listId, int32 programIndex, int16 midiPitch,
                                      String128 name) = 0;
  virtual UnitID getSelectedUnit() = 0;
  virtual tresult selectUnit(UnitID unitId) = 0;
  virtual tresult getUnitByBus(MediaType type, BusDirection dir, int32 busIndex, int32 channel,
                               UnitID& unitId) = 0;
  virtual tresult setUnitProgramData(int32 listOrUnitId, int32 programIndex, IBStream* data) = 0;
  static constexpr FUID iid{0x3D4BD6B5, 0x913A4FD2, 0xA886E768, 0xA5EB92C1};

 protected:
  ~IUnitInfo() = default;
};

class IAttributeList;

class IMessage : public FUnknown {
 public:
  virtual FIDString getMessageID() = 0;
  virtual void setMessageID(FIDString id) = 0;
  virtual IAttributeList* getAttributes() = 0;
  static constexpr FUID iid{0x936F033B, 0xC6C047DB, 0xBB0882F8, 0x13C1E613};

 protected:
  ~IMessage() = default;
};

class IConnectionPoint : public FUnknown {
 public:
  virtual tresult connect(IConnectionPoint* other) = 0;
  virtual tresult disconnect(IConnectionPoint* other) = 0;
  virtual tresult notify(IMessage* message) = 0;
  static constexpr FUID iid{0x70A4156F, 0x6E6E4026, 0x989148BF, 0xAA60D8D1};

 protected:
  ~IConnectionPoint() = default;
};

class IHostApplication : public FUnknown {
 public:
  virtual tresult getName(String128 name) = 0;
  virtual tresult createInstance(TUID cid, TUID iid, void** obj) = 0;
  static constexpr FUID iid{0x58E595CC, 0xDB2D4969, 0x8B6AAF8C, 0x36A664E5};

 protected:
  ~IHostApplication() = default;
};

static_assert(sizeof(ParameterInfo) == 792 && offsetof(ParameterInfo, stepCount) == 772 &&
                  offsetof(ParameterInfo, defaultNormalizedValue) == 776 && offsetof(ParameterInfo, flags) == 788,
              "ParameterInfo");
static_assert(sizeof(UnitInfo) == 268, "UnitInfo");
static_assert(sizeof(ProgramListInfo) == 264, "ProgramListInfo");

}  // namespace Vst
}  // namespace Steinberg
