#include "host/Controller.h"

#include <cassert>
#include <cmath>
#include <cstring>
#include <utility>

#include "host/AEffEditor.h"
#include "host/UserPrompts.h"
#include "host/ViewLink.h"
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
      model(std::move(ownedModel)),
      parameterMarks(new ParameterMark[static_cast<std::size_t>(numParams > 0 ? numParams : 0)]),
      prompts(&GetPlatformUserPrompts()) {
  Trace("Controller::Controller\r\n");
  model->SetController(this);
  chunkBuffer = std::make_unique<ChunkBuffer>();
  cEffect.flags |= effFlagsCanReplacing | effFlagsProgramChunks;
  setNumInputs(model->GetInputCount());
  setNumOutputs(model->GetOutputCount());
  setUniqueID(model->GetUniqueId());
}

Controller::~Controller() {
  Trace("Controller::~Controller");
  // An editor still open would detach its view from a Controller whose members
  // are already gone; closing it now lets it do so while everything is alive.
  if (editor != nullptr) {
    editor->close();
  }
  view = nullptr;
  model.reset();
  chunkBuffer.reset();
}

bool Controller::AcceptParameterValue(float& value) {
  if (std::isnan(value)) {
    return false;
  }
  value = value < 0.0f ? 0.0f : (value > 1.0f ? 1.0f : value);
  return true;
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
  model->SetSampleRate(rate);
}

void Controller::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) {
  UpdateTimeInfo();
  if (sampleFrames <= 0 || !HasChannels(inputs, cEffect.numInputs) ||
      !HasChannels(outputs, cEffect.numOutputs)) {
    return;
  }
  model->ProcessBlock(inputs, outputs, sampleFrames);
}

void Controller::UpdateTimeInfo() {
  const VstTimeInfo* info = getTimeInfo(kTimeInfoRequest);
  if (info == nullptr) {
    return;
  }
  const VstInt32 flags = info->flags;
  // Every reported tempo reaches the model, odd ones too: the delay keeps its
  // synced times inside its limit whatever the tempo, and a NaN is never a change.
  if ((flags & kVstTempoValid) != 0) {
    model->SetTempo(info->tempo);
  }
  if ((flags & kVstPpqPosValid) != 0 && std::isfinite(info->ppqPos)) {
    model->SetSongPosition(info->ppqPos);
  }
  model->SetPlaying((flags & kVstTransportPlaying) != 0);
  if ((flags & kVstTimeSigValid) != 0 && info->timeSigNumerator > 0 && info->timeSigDenominator > 0) {
    model->SetTimeSignature(info->timeSigNumerator, info->timeSigDenominator);
  }
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
    model->PushMidiEvent(MidiMessage{midi->deltaFrames, static_cast<uint8_t>(midi->midiData[0]),
                                     static_cast<uint8_t>(midi->midiData[1]),
                                     static_cast<uint8_t>(midi->midiData[2])});
  }
  return 1;
}

void Controller::setParameter(VstInt32 index, float value) {
  Trace("Controller::setParameter");
  if (!IsParameterIndex(index) || !AcceptParameterValue(value)) {
    return;
  }
  model->SetParameterValue(index, value);
  ShowParameterInView(index, value);
}

float Controller::getParameter(VstInt32 index) {
  Trace("Controller::getParameter\r\n");
  return IsParameterIndex(index) ? model->GetParameterValue(index) : 0.0f;
}

void Controller::setProgram(VstInt32 program) {
  Trace("Controller::setProgram\r\n");
  if (!IsProgramIndex(program)) {
    return;
  }
  AudioEffectX::setProgram(program);
  model->SetSelectedProgramIndex(program);
  UpdateViewParameters();
}

void Controller::setProgramName(char* name) {
  Trace("Controller::setProgramName\r\n");
  if (name != nullptr) {
    model->SetSelectedProgramName(name);
  }
}

void Controller::getProgramName(char* name) {
  Trace("Controller::getProgramName\r\n");
  BoundedCopy(name, model->GetSelectedProgramName(), Model::kProgramNameSize);
}

void Controller::getParameterLabel(VstInt32 index, char* label) {
  Trace("Controller::getParameterLabel\r\n");
  BoundedCopy(label, IsParameterIndex(index) ? model->GetParameterLabel(index) : "", Model::kLabelSize);
}

void Controller::getParameterDisplay(VstInt32 index, char* text) {
  Trace("Controller::getParameterDisplay\r\n");
  BoundedCopy(text, IsParameterIndex(index) ? model->GetParameterDisplay(index) : "", Model::kDisplaySize);
}

void Controller::getParameterName(VstInt32 index, char* text) {
  Trace("Controller::getParameterName\r\n");
  if (text == nullptr) {
    return;
  }
  BoundedCopy(text, IsParameterIndex(index) ? model->GetParameterShortName(index) : "",
              Model::kShortNameSize);
}

bool Controller::CopyIdentity(char* destination, const char* (Model::*text)() const, int32_t width) {
  if (destination == nullptr) {
    return false;
  }
  BoundedCopy(destination, (model.get()->*text)(), static_cast<std::size_t>(width));
  return true;
}

bool Controller::getEffectName(char* name) {
  Trace("Controller::getEffectName\r\n");
  return CopyIdentity(name, &Model::GetEffectName, Model::kEffectNameSize);
}

bool Controller::getVendorString(char* text) {
  Trace("Controller::getVendorString\r\n");
  return CopyIdentity(text, &Model::GetVendorString, Model::kVendorStringSize);
}

bool Controller::getProductString(char* text) {
  Trace("Controller::getProductString\r\n");
  return CopyIdentity(text, &Model::GetProductString, Model::kProductStringSize);
}

VstInt32 Controller::getVendorVersion() {
  Trace("Controller::getVendorVersion\r\n");
  return model->GetVendorVersion();
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
  const int32_t category = model->GetPluginCategory();
  return category >= kPlugCategUnknown && category < kPlugCategMaxCount
             ? static_cast<VstPlugCategory>(category)
             : kPlugCategUnknown;
}

void Controller::SetUserPrompts(UserPrompts& newPrompts) {
  prompts = &newPrompts;
}

}  // namespace VstToolkit
