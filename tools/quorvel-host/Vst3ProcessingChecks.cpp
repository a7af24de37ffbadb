// Processing in VST3's own terms: flushes and the MIDI mapping (ProcessingChecks holds the rest).
#include "tools/quorvel-host/Vst3ProcessingChecks.h"

#include <algorithm>
#include <string>

#include "tools/quorvel-host/Validator.h"
#include "tools/quorvel-host/Vst3CheckSupport.h"
#include "tools/quorvel-host/Vst3Instance.h"

namespace QuorvelHost {

namespace {

namespace Vst = Steinberg::Vst;

void FlushApplies(Validator& validator) {
  const char* check = "a flush (no samples, no buffers) applies its changes";
  std::unique_ptr<Vst3Instance> plugin = validator.NewVst3Instance();
  if (plugin == nullptr) {
    validator.FailToCreate(check);
    return;
  }
  int32_t applied = 0;
  int32_t asked = 0;
  for (const Vst::ParameterInfo& info : Vst3CheckSupport::Parameters(*plugin)) {
    if ((info.flags & (Vst::ParameterInfo::kIsHidden | Vst::ParameterInfo::kIsReadOnly)) != 0 ||
        (info.flags & Vst::ParameterInfo::kCanAutomate) == 0) {
      continue;
    }
    const double value = plugin->Controller()->getParamNormalized(info.id) < 0.5 ? 1.0 : 0.0;
    Vst3CheckSupport::Flush(*plugin, {{info.id, value}});
    ++asked;
    applied += plugin->Controller()->getParamNormalized(info.id) == value ? 1 : 0;
  }
  validator.Report(check, asked > 0 && applied == asked,
                   std::to_string(applied) + " of " + std::to_string(asked) + " parameters moved to their other end");
}

void MidiMapping(Validator& validator) {
  const char* check = "MIDI controllers map to listed parameters";
  std::unique_ptr<Vst3Instance> plugin = validator.NewVst3Instance();
  if (plugin == nullptr) {
    validator.FailToCreate(check);
    return;
  }
  auto* mapping = static_cast<Vst::IMidiMapping*>(plugin->Query(Vst::IMidiMapping::iid));
  if (mapping == nullptr) {
    validator.Skip(check, "the plug-in maps no MIDI controllers");
    return;
  }
  std::vector<Vst::ParamID> listed;
  for (const Vst::ParameterInfo& info : Vst3CheckSupport::Parameters(*plugin)) {
    listed.push_back(info.id);
  }
  int32_t mapped = 0;
  int32_t unlisted = 0;
  for (Steinberg::int16 channel = 0; channel < 16; ++channel) {
    for (Vst::CtrlNumber controller = 0; controller < 128; ++controller) {
      Vst::ParamID id = 0;
      if (mapping->getMidiControllerAssignment(0, channel, controller, id) == Steinberg::kResultTrue) {
        ++mapped;
        unlisted += std::find(listed.begin(), listed.end(), id) == listed.end() ? 1 : 0;
      }
    }
  }
  mapping->release();
  validator.Report(check, unlisted == 0,
                   std::to_string(mapped) + " of 2048 channel controllers mapped, " + std::to_string(unlisted) +
                       " to parameters the plug-in does not list");
}

}  // namespace

void Vst3ProcessingChecks::Run(Validator& validator) {
  FlushApplies(validator);
  MidiMapping(validator);
}

}  // namespace QuorvelHost
