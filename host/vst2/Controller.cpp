#include "host/vst2/Controller.h"

#include <cmath>
#include <cstring>
#include <utility>

#include "host/vst2/AEffEditor.h"
#include "model/BoundedCopy.h"
#include "model/ChunkBuffer.h"
#include "model/MidiMessage.h"
#include "model/Model.h"
#include "model/Trace.h"

namespace VstToolkit {

namespace {

constexpr const char* kCapabilities[] = {"receiveVstEvents", "receiveVstMidiEvent", "receiveVstTimeInfo",
                                         "sendVstEvents",    "sendVstMidiEvent",    "supportsViewDpiScaling"};

// The host's list is variable-length: its entries lie past the two the record declares.
VstEvent* EventAt(const VstEvents* events, VstInt32 i) {
  const auto* base = reinterpret_cast<const unsigned char*>(events) + offsetof(VstEvents, events);
  VstEvent* entry = nullptr;
  std::memcpy(&entry, base + static_cast<std::size_t>(i) * sizeof(VstEvent*), sizeof(entry));
  return entry;
}

}  // namespace

Controller::Controller(audioMasterCallback hostCallback, std::unique_ptr<Model> ownedModel)
    : AudioEffectX(hostCallback, ownedModel->GetProgramCount(), ownedModel->GetParameterCount()),
      core(std::move(ownedModel)) {
  Trace("Controller::Controller\r\n");
  core.Attach(*this);
  cEffect.flags |= effFlagsCanReplacing | effFlagsProgramChunks;
  setNumInputs(core.GetInputCount());
  setNumOutputs(core.GetOutputCount());
  setUniqueID(core.GetUniqueId());
}

Controller::~Controller() {
  Trace("Controller::~Controller");
  // An editor still open would detach its view from a core whose model is already gone;
  // closing it now lets it do so while everything is alive.
  if (editor != nullptr) {
    editor->close();
  }
}

bool Controller::HasChannels(float** buffers, VstInt32 count) const {
  if (buffers == nullptr) {
    return false;
  }
  for (VstInt32 i = 0; i < count; ++i) {
    if (buffers[i] == nullptr) {
      return false;
    }
  }
  return true;
}

void Controller::setSampleRate(float rate) {
  Trace("Controller::setSampleRate\r\n");
  AudioEffectX::setSampleRate(rate);
  core.SetSampleRate(rate);
}

void Controller::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) {
  UpdateTimeInfo();
  if (sampleFrames <= 0 || !HasChannels(inputs, cEffect.numInputs) ||
      !HasChannels(outputs, cEffect.numOutputs)) {
    return;
  }
  core.ProcessBlock(inputs, outputs, sampleFrames);
}

void Controller::UpdateTimeInfo() {
  const VstTimeInfo* info = getTimeInfo(kTimeInfoRequest);
  if (info == nullptr) {
    return;
  }
  const VstInt32 flags = info->flags;
  HostTime time;
  time.hasTempo = (flags & kVstTempoValid) != 0;
  time.tempo = info->tempo;
  time.hasPosition = (flags & kVstPpqPosValid) != 0;
  time.position = info->ppqPos;
  time.playing = (flags & kVstTransportPlaying) != 0;
  time.hasTimeSignature = (flags & kVstTimeSigValid) != 0;
  time.numerator = info->timeSigNumerator;
  time.denominator = info->timeSigDenominator;
  core.SetHostTime(time);
}

VstInt32 Controller::processEvents(VstEvents* events) {
  if (events == nullptr) {
    return 0;
  }
  const VstInt32 count = events->numEvents;
  for (VstInt32 i = 0; i < count; ++i) {
    const VstEvent* event = EventAt(events, i);
    if (event == nullptr || event->type != kVstMidiType) {
      continue;
    }
    const auto* midi = reinterpret_cast<const VstMidiEvent*>(event);
    core.PushMidi(MidiMessage{midi->deltaFrames, static_cast<uint8_t>(midi->midiData[0]),
                              static_cast<uint8_t>(midi->midiData[1]), static_cast<uint8_t>(midi->midiData[2])});
  }
  return 1;
}

void Controller::setParameter(VstInt32 index, float value) {
  Trace("Controller::setParameter");
  core.SetParameter(index, value);
}

float Controller::getParameter(VstInt32 index) {
  Trace("Controller::getParameter\r\n");
  return core.GetParameter(index);
}

void Controller::setProgram(VstInt32 program) {
  Trace("Controller::setProgram\r\n");
  if (!core.IsProgramIndex(program)) {
    return;
  }
  AudioEffectX::setProgram(program);
  core.SelectProgram(program);
}

void Controller::setProgramName(char* name) {
  Trace("Controller::setProgramName\r\n");
  core.SetSelectedProgramName(name);
}

void Controller::getProgramName(char* name) {
  Trace("Controller::getProgramName\r\n");
  BoundedCopy(name, core.GetSelectedProgramName(), Model::kProgramNameSize);
}

void Controller::getParameterLabel(VstInt32 index, char* label) {
  Trace("Controller::getParameterLabel\r\n");
  BoundedCopy(label, core.GetParameterLabel(index), Model::kLabelSize);
}

void Controller::getParameterDisplay(VstInt32 index, char* text) {
  Trace("Controller::getParameterDisplay\r\n");
  if (text != nullptr) {
    core.GetParameterDisplay(index, text, Model::kDisplaySize);
  }
}

void Controller::getParameterName(VstInt32 index, char* text) {
  Trace("Controller::getParameterName\r\n");
  if (text == nullptr) {
    return;
  }
  BoundedCopy(text, core.GetParameterShortName(index), Model::kShortNameSize);
}

bool Controller::CopyIdentity(char* destination, const char* text, int32_t width) {
  BoundedCopy(destination, text, static_cast<std::size_t>(width));
  return true;
}

bool Controller::getEffectName(char* name) {
  Trace("Controller::getEffectName\r\n");
  return name != nullptr && CopyIdentity(name, core.GetEffectName(), Model::kEffectNameSize);
}

bool Controller::getVendorString(char* text) {
  Trace("Controller::getVendorString\r\n");
  return text != nullptr && CopyIdentity(text, core.GetVendorString(), Model::kVendorStringSize);
}

bool Controller::getProductString(char* text) {
  Trace("Controller::getProductString\r\n");
  return text != nullptr && CopyIdentity(text, core.GetProductString(), Model::kProductStringSize);
}

VstInt32 Controller::getVendorVersion() {
  Trace("Controller::getVendorVersion\r\n");
  return core.GetVendorVersion();
}

VstInt32 Controller::canDo(char* text) {
  Trace("Controller::canDo\r\n");
  if (text == nullptr) {
    return -1;
  }
  for (const char* capability : kCapabilities) {
    if (std::strcmp(text, capability) == 0) {
      return 1;
    }
  }
  return -1;
}

VstPlugCategory Controller::getPlugCategory() {
  Trace("Controller::getPlugCategory\r\n");
  const int32_t category = core.GetPluginCategory();
  return category >= kPlugCategUnknown && category < kPlugCategMaxCount
             ? static_cast<VstPlugCategory>(category)
             : kPlugCategUnknown;
}

// Hosts list programs by this call (without it, some show "Preset 0" and so on). The
// category is ignored: the programs have none.
bool Controller::getProgramNameIndexed(VstInt32, VstInt32 index, char* text) {
  const char* name = core.GetProgramName(index);
  if (text == nullptr || name == nullptr) {
    return false;
  }
  BoundedCopy(text, name, kVstMaxProgNameLen);
  return true;
}

// Every parameter is answered, continuous ones with their names and no flags: a host that
// takes its names from here then names every parameter the same way, by its long name.
bool Controller::getParameterProperties(VstInt32 index, VstParameterProperties* properties) {
  if (properties == nullptr || !core.IsParameterIndex(index)) {
    return false;
  }
  const ParameterDetails details = core.GetParameterDetails(index);
  std::memset(properties, 0, sizeof *properties);
  BoundedCopy(properties->label, details.longName, kVstMaxLabelLen);
  BoundedCopy(properties->shortLabel, details.shortName, kVstMaxShortLabelLen);
  switch (details.kind) {
    case ParameterKind::kSwitch:
      properties->flags = kVstParameterIsSwitch;
      break;
    case ParameterKind::kSelector:
      // Steps within the normalised range: VST2 values stay 0 to 1 for every parameter,
      // and hosts that read integer bounds as the range would send 0 to n - 1.
      if (details.choiceCount > 1) {
        const float step = 1.0f / static_cast<float>(details.choiceCount - 1);
        properties->flags = kVstParameterUsesFloatStep;
        properties->stepFloat = step;
        properties->smallStepFloat = step;
        properties->largeStepFloat = step;
      }
      break;
    case ParameterKind::kContinuous:
      break;
  }
  return true;
}

VstIntPtr Controller::vendorSpecific(VstInt32 index, VstIntPtr value, void*, float opt) {
  // The vendor call by which a host tells its scale factor, as PreSonus published it and
  // other hosts send it: index 'PreS', value 'AeCs', the factor in the float argument.
  constexpr VstInt32 kScaleVendor = 0x50726553;    // 'P' 50, 'r' 72, 'e' 65, 'S' 53
  constexpr VstIntPtr kScaleRequest = 0x41654373;  // 'A' 41, 'e' 65, 'C' 43, 's' 73
  if (index != kScaleVendor || value != kScaleRequest) {
    return 0;
  }
  return core.SetHostScaleFactor(opt) ? 1 : 0;
}

void Controller::BeginParameterEdit(int32_t index) {
  callHost(audioMasterBeginEdit, index, 0, nullptr, 0.0f);
}

void Controller::PerformParameterEdit(int32_t index, float value) {
  setParameterAutomated(index, value);
}

void Controller::EndParameterEdit(int32_t index) {
  callHost(audioMasterEndEdit, index, 0, nullptr, 0.0f);
}

void Controller::ParameterSetByPlugin(int32_t index, float value) {
  setParameterAutomated(index, value);
}

bool Controller::ResizeEditor(int32_t width, int32_t height) {
  return sizeWindow(width, height);
}

void Controller::StateChanged() {}

}  // namespace VstToolkit
