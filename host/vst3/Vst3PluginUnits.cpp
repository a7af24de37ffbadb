// The unit and program-list information: one root unit with the plug-in's programs.
#include <cstring>

#include "host/vst3/Utf16Text.h"
#include "host/vst3/Vst3Plugin.h"
#include "model/Model.h"

namespace VstToolkit {

namespace Vst = Steinberg::Vst;

Steinberg::int32 Vst3Plugin::getUnitCount() {
  return 1;
}

Steinberg::tresult Vst3Plugin::getUnitInfo(int32 unitIndex, Vst::UnitInfo& info) {
  if (unitIndex != 0) {
    return Steinberg::kInvalidArgument;
  }
  info.id = Vst::kRootUnitId;
  info.parentUnitId = Vst::kNoParentUnitId;
  Utf16Text::FromAscii(info.name, 128, "Root");
  info.programListId = kProgramListId;
  return Steinberg::kResultOk;
}

Steinberg::int32 Vst3Plugin::getProgramListCount() {
  return 1;
}

Steinberg::tresult Vst3Plugin::getProgramListInfo(int32 listIndex, Vst::ProgramListInfo& info) {
  if (listIndex != 0) {
    return Steinberg::kInvalidArgument;
  }
  info.id = kProgramListId;
  Utf16Text::FromAscii(info.name, 128, "Programs");
  info.programCount = core.GetProgramCount();
  return Steinberg::kResultOk;
}

Steinberg::tresult Vst3Plugin::getProgramName(Vst::ProgramListID listId, int32 programIndex, Vst::String128 name) {
  const char* field = core.GetProgramName(programIndex);
  if (listId != kProgramListId || field == nullptr || name == nullptr) {
    return Steinberg::kInvalidArgument;
  }
  // The field holds its 24 bytes without a terminator where the name is that long.
  char text[Model::kProgramNameSize + 1] = {};
  std::memcpy(text, field, Model::kProgramNameSize);
  Utf16Text::FromAscii(name, 128, text);
  return Steinberg::kResultOk;
}

Steinberg::tresult Vst3Plugin::getProgramInfo(Vst::ProgramListID, int32, Vst::CString, Vst::String128) {
  return Steinberg::kResultFalse;
}

Steinberg::tresult Vst3Plugin::hasProgramPitchNames(Vst::ProgramListID, int32) {
  return Steinberg::kResultFalse;
}

Steinberg::tresult Vst3Plugin::getProgramPitchName(Vst::ProgramListID, int32, Steinberg::int16, Vst::String128) {
  return Steinberg::kResultFalse;
}

Steinberg::Vst::UnitID Vst3Plugin::getSelectedUnit() {
  return Vst::kRootUnitId;
}

Steinberg::tresult Vst3Plugin::selectUnit(Vst::UnitID unitId) {
  return unitId == Vst::kRootUnitId ? Steinberg::kResultOk : Steinberg::kInvalidArgument;
}

Steinberg::tresult Vst3Plugin::getUnitByBus(Vst::MediaType, Vst::BusDirection, int32, int32, Vst::UnitID& unitId) {
  unitId = Vst::kRootUnitId;
  return Steinberg::kResultOk;
}

Steinberg::tresult Vst3Plugin::setUnitProgramData(int32, int32, Steinberg::IBStream*) {
  return Steinberg::kNotImplemented;
}

}  // namespace VstToolkit
