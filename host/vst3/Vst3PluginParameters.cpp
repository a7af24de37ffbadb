// The edit controller: parameters, their texts, the component handler and MIDI mapping.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "host/vst3/Utf16Text.h"
#include "host/vst3/Vst3Plugin.h"
#include "model/Model.h"

namespace VstToolkit {

namespace Vst = Steinberg::Vst;

namespace {

constexpr int32_t kTextSize = 128;
// The bypass's two texts, as a switch's.
constexpr const char* kBypassOn = "On";
constexpr const char* kBypassOff = "Off";

// A whole decimal number from 0 to `largest`, alone in the text; -1 where there is none.
int32_t WholeNumber(const char* text, int32_t largest) {
  char* end = nullptr;
  const long number = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || number < 0 || number > largest) {
    return -1;
  }
  return static_cast<int32_t>(number);
}

}  // namespace

Steinberg::int32 Vst3Plugin::ListedParameterCount() const {
  return core.GetParameterCount() + 1 + Vst3ParameterIds::kControllerIdCount + 1;
}

Steinberg::tresult Vst3Plugin::setComponentState(Steinberg::IBStream*) {
  // The component is this very object and has the state already.
  return Steinberg::kResultOk;
}

Steinberg::int32 Vst3Plugin::getParameterCount() {
  return ListedParameterCount();
}

Steinberg::tresult Vst3Plugin::getParameterInfo(int32 paramIndex, Vst::ParameterInfo& info) {
  const int32_t parameters = core.GetParameterCount();
  if (paramIndex < 0 || paramIndex >= ListedParameterCount()) {
    return Steinberg::kInvalidArgument;
  }
  info = Vst::ParameterInfo{};
  info.unitId = Vst::kRootUnitId;
  if (paramIndex < parameters) {
    const ParameterDetails details = core.GetParameterDetails(paramIndex);
    info.id = static_cast<ParamID>(paramIndex);
    Utf16Text::FromAscii(info.title, kTextSize, details.longName);
    Utf16Text::FromAscii(info.shortTitle, kTextSize, details.shortName);
    Utf16Text::FromAscii(info.units, kTextSize, details.label);
    info.stepCount = details.kind == ParameterKind::kContinuous ? 0 : details.choiceCount - 1;
    info.defaultNormalizedValue = details.defaultValue;
    info.flags = Vst::ParameterInfo::kCanAutomate;
    if (details.kind == ParameterKind::kSelector) {
      info.flags |= Vst::ParameterInfo::kIsList;
    }
  } else if (paramIndex == parameters) {
    info.id = Vst3ParameterIds::kProgram;
    Utf16Text::FromAscii(info.title, kTextSize, "Program");
    Utf16Text::FromAscii(info.shortTitle, kTextSize, "Prg");
    info.stepCount = core.GetProgramCount() - 1;
    info.defaultNormalizedValue = 0.0;
    info.flags = Vst::ParameterInfo::kCanAutomate | Vst::ParameterInfo::kIsList |
                 Vst::ParameterInfo::kIsProgramChange;
  } else if (paramIndex == ListedParameterCount() - 1) {
    info.id = Vst3ParameterIds::kBypass;
    Utf16Text::FromAscii(info.title, kTextSize, "Bypass");
    Utf16Text::FromAscii(info.shortTitle, kTextSize, "Byp");
    info.stepCount = 1;
    info.defaultNormalizedValue = 0.0;
    info.flags = Vst::ParameterInfo::kCanAutomate | Vst::ParameterInfo::kIsBypass;
  } else {
    const int32_t controller = paramIndex - parameters - 1;
    info.id = Vst3ParameterIds::kFirstController + static_cast<ParamID>(controller);
    char title[kTextSize];
    std::snprintf(title, sizeof title, "MIDI CC %d Channel %d", controller % Vst3ParameterIds::kControllerCount,
                  controller / Vst3ParameterIds::kControllerCount + 1);
    Utf16Text::FromAscii(info.title, kTextSize, title);
    Utf16Text::FromAscii(info.shortTitle, kTextSize, "CC");
    info.stepCount = Vst3ParameterIds::kControllerCount - 1;
    info.flags = Vst::ParameterInfo::kCanAutomate | Vst::ParameterInfo::kIsHidden;
  }
  return Steinberg::kResultOk;
}

Steinberg::tresult Vst3Plugin::getParamStringByValue(ParamID id, ParamValue valueNormalized,
                                                     Vst::String128 string) {
  if (string == nullptr || !(valueNormalized >= 0.0 && valueNormalized <= 1.0)) {
    return Steinberg::kInvalidArgument;
  }
  char text[kTextSize] = {};
  if (core.IsParameterIndex(static_cast<int32_t>(id)) && id < 0x7FFFFFFF) {
    core.FormatParameterValue(static_cast<int32_t>(id), static_cast<float>(valueNormalized), text, kTextSize);
  } else if (id == Vst3ParameterIds::kProgram) {
    // A program's name fills its whole field, with no terminator where it is that long.
    std::strncpy(text, core.GetProgramName(ProgramOfValue(valueNormalized)), Model::kProgramNameSize);
  } else if (Vst3ParameterIds::IsController(id)) {
    std::snprintf(text, sizeof text, "%ld", std::lround(valueNormalized * 127.0));
  } else if (id == Vst3ParameterIds::kBypass) {
    std::snprintf(text, sizeof text, "%s", valueNormalized >= 0.5 ? kBypassOn : kBypassOff);
  } else {
    return Steinberg::kInvalidArgument;
  }
  Utf16Text::FromAscii(string, kTextSize, text);
  return Steinberg::kResultOk;
}

Steinberg::tresult Vst3Plugin::getParamValueByString(ParamID id, Vst::TChar* string, ParamValue& valueNormalized) {
  char text[kTextSize];
  if (string == nullptr || !Utf16Text::ToAscii(text, kTextSize, string)) {
    return Steinberg::kResultFalse;
  }
  if (core.IsParameterIndex(static_cast<int32_t>(id)) && id < 0x7FFFFFFF) {
    float value = 0.0f;
    if (!core.ParseParameterValue(static_cast<int32_t>(id), text, value)) {
      return Steinberg::kResultFalse;
    }
    valueNormalized = value;
    return Steinberg::kResultOk;
  }
  if (id == Vst3ParameterIds::kProgram) {
    const int32_t last = core.GetProgramCount() - 1;
    for (int32_t p = 0; p <= last; ++p) {
      if (std::strncmp(text, core.GetProgramName(p), Model::kProgramNameSize) == 0) {
        valueNormalized = static_cast<double>(p) / last;
        return Steinberg::kResultOk;
      }
    }
    const int32_t number = WholeNumber(text, last);
    valueNormalized = static_cast<double>(number) / last;
    return number >= 0 ? Steinberg::kResultOk : Steinberg::kResultFalse;
  }
  if (Vst3ParameterIds::IsController(id)) {
    const int32_t number = WholeNumber(text, Vst3ParameterIds::kControllerCount - 1);
    valueNormalized = number / 127.0;
    return number >= 0 ? Steinberg::kResultOk : Steinberg::kResultFalse;
  }
  if (id == Vst3ParameterIds::kBypass) {
    const bool on = std::strcmp(text, kBypassOn) == 0 || std::strcmp(text, "1") == 0;
    const bool off = std::strcmp(text, kBypassOff) == 0 || std::strcmp(text, "0") == 0;
    valueNormalized = on ? 1.0 : 0.0;
    return on || off ? Steinberg::kResultOk : Steinberg::kResultFalse;
  }
  return Steinberg::kInvalidArgument;
}

Steinberg::Vst::ParamValue Vst3Plugin::normalizedParamToPlain(ParamID id, ParamValue valueNormalized) {
  const int32_t steps = ListSteps(id);
  if (steps > 0) {
    return ListEntryOfValue(valueNormalized, steps);
  }
  if (Vst3ParameterIds::IsController(id)) {
    return std::round(valueNormalized * 127.0);
  }
  return valueNormalized;
}

Steinberg::Vst::ParamValue Vst3Plugin::plainParamToNormalized(ParamID id, ParamValue plainValue) {
  const int32_t steps = ListSteps(id);
  if (steps > 0) {
    return plainValue / steps;
  }
  if (Vst3ParameterIds::IsController(id)) {
    return plainValue / 127.0;
  }
  return plainValue;
}

int32_t Vst3Plugin::ListSteps(ParamID id) const {
  if (id == Vst3ParameterIds::kProgram) {
    return core.GetProgramCount() - 1;
  }
  if (!core.IsParameterIndex(static_cast<int32_t>(id)) || id >= 0x7FFFFFFF) {
    return 0;
  }
  const ParameterDetails details = core.GetParameterDetails(static_cast<int32_t>(id));
  return details.kind == ParameterKind::kSelector ? details.choiceCount - 1 : 0;
}

// Hosts ask on their user-interface thread, often: a turn for the marks.
Steinberg::Vst::ParamValue Vst3Plugin::getParamNormalized(ParamID id) {
  DeliverHostMarks();
  if (id < static_cast<ParamID>(core.GetParameterCount())) {
    return core.GetParameter(static_cast<int32_t>(id));
  }
  if (id == Vst3ParameterIds::kProgram) {
    return static_cast<double>(core.GetSelectedProgram()) / (core.GetProgramCount() - 1);
  }
  return id == Vst3ParameterIds::kBypass ? BypassValue() : 0.0;
}

Steinberg::Vst::ParamValue Vst3Plugin::BypassValue() const {
  return IsEnabledOn() ? 0.0 : 1.0;
}

bool Vst3Plugin::IsEnabledOn() const {
  return core.GetParameter(static_cast<int32_t>(Vst3ParameterIds::kEnabled)) >= 0.5f;
}

void Vst3Plugin::SetBypass(ParamValue value) {
  const bool bypass = value >= 0.5;
  if (bypass == IsEnabledOn()) {
    core.SetParameter(static_cast<int32_t>(Vst3ParameterIds::kEnabled), bypass ? 0.0f : 1.0f);
  }
}

// While the host processes, its changes reach the processor in the blocks, at their
// offsets; the controller's copy it sets here as well, late, must not act a second time.
// Otherwise this is the only way they come.
Steinberg::tresult Vst3Plugin::setParamNormalized(ParamID id, ParamValue value) {
  const bool parameter = id < static_cast<ParamID>(core.GetParameterCount());
  if (!parameter && id != Vst3ParameterIds::kProgram && id != Vst3ParameterIds::kBypass &&
      !Vst3ParameterIds::IsController(id)) {
    return Steinberg::kInvalidArgument;
  }
  if (std::isnan(value)) {
    return Steinberg::kResultFalse;
  }
  if (processing.load(std::memory_order_relaxed)) {
    return Steinberg::kResultOk;
  }
  if (parameter && static_cast<float>(value) != core.GetParameter(static_cast<int32_t>(id))) {
    core.SetParameter(static_cast<int32_t>(id), static_cast<float>(value));
  } else if (id == Vst3ParameterIds::kProgram && ProgramOfValue(value) != core.GetSelectedProgram()) {
    core.SelectProgram(ProgramOfValue(value));
    parameterValuesMark.store(true, std::memory_order_release);
    DeliverHostMarks();
  } else if (id == Vst3ParameterIds::kBypass) {
    SetBypass(value);
  }
  return Steinberg::kResultOk;
}

Steinberg::tresult Vst3Plugin::setComponentHandler(Vst::IComponentHandler* handler) {
  if (handler != nullptr) {
    handler->addRef();
  }
  ReleaseComponentHandler();
  componentHandler = handler;
  void* found = nullptr;
  if (handler != nullptr && handler->queryInterface(Vst::IComponentHandler2::iid.toTUID(), &found) ==
                                Steinberg::kResultOk) {
    componentHandler2 = static_cast<Vst::IComponentHandler2*>(found);
  }
  handlerThread.store(std::this_thread::get_id(), std::memory_order_relaxed);
  return Steinberg::kResultOk;
}

Steinberg::tresult Vst3Plugin::getMidiControllerAssignment(int32 busIndex, Steinberg::int16 channel,
                                                           Vst::CtrlNumber midiControllerNumber, ParamID& id) {
  if (busIndex != 0 || channel < 0 || channel >= Vst3ParameterIds::kChannelCount || midiControllerNumber < 0 ||
      midiControllerNumber >= Vst3ParameterIds::kControllerCount) {
    return Steinberg::kResultFalse;
  }
  id = Vst3ParameterIds::Controller(channel, midiControllerNumber);
  return Steinberg::kResultTrue;
}

}  // namespace VstToolkit
