#include "instance/InstanceCore.h"

#include <cmath>
#include <utility>

#include "instance/InstanceHost.h"
#include "instance/ModelLearnCommands.h"
#include "instance/UserPrompts.h"
#include "model/BoundedCopy.h"
#include "model/ChunkBuffer.h"
#include "model/MidiMessage.h"
#include "model/Model.h"
#include "model/Trace.h"

namespace VstToolkit {

InstanceCore::InstanceCore(std::unique_ptr<Model> ownedModel)
    : model(std::move(ownedModel)),
      programCount(model->ProgramCount()),
      parameterCount(model->GetParameterCount()),
      chunkBuffer(std::make_unique<ChunkBuffer>()),
      parameterMarks(new ParameterMark[static_cast<std::size_t>(parameterCount)]),
      prompts(&GetNoUserPrompts()),
      ownLearn(std::make_unique<ModelLearnCommands>(*model)),
      learn(ownLearn.get()) {}

InstanceCore::~InstanceCore() {
  // An editor still open detaches its view while everything it reaches is alive.
  if (editor != nullptr) {
    editor->Close();
  }
  editor.reset();
  view = nullptr;
  model.reset();
}

void InstanceCore::Attach(InstanceHost& newHost) {
  host = &newHost;
  model->SetController(this);
}

const char* InstanceCore::GetEffectName() const {
  return model->GetEffectName();
}

const char* InstanceCore::GetVendorString() const {
  return model->GetVendorString();
}

const char* InstanceCore::GetProductString() const {
  return model->GetProductString();
}

int32_t InstanceCore::GetUniqueId() const {
  return model->GetUniqueId();
}

int32_t InstanceCore::GetVendorVersion() const {
  return model->GetVendorVersion();
}

int32_t InstanceCore::GetPluginCategory() const {
  return model->GetPluginCategory();
}

int32_t InstanceCore::GetInputCount() const {
  return model->GetInputCount();
}

int32_t InstanceCore::GetOutputCount() const {
  return model->GetOutputCount();
}

bool InstanceCore::AcceptParameterValue(float& value) {
  if (std::isnan(value)) {
    return false;
  }
  value = value < 0.0f ? 0.0f : (value > 1.0f ? 1.0f : value);
  return true;
}

void InstanceCore::SetParameter(int32_t index, float value) {
  if (!IsParameterIndex(index) || !AcceptParameterValue(value)) {
    return;
  }
  model->SetParameterValue(index, value);
  ShowParameterInView(index, value);
}

void InstanceCore::SetParameterInUnits(int32_t index, float units) {
  if (!IsParameterIndex(index) || std::isnan(units)) {
    return;
  }
  const float value = model->UnitsToValue(index, units);
  model->SetParameterValueInUnits(index, value, units);
  ShowParameterInView(index, value);
}

float InstanceCore::GetParameter(int32_t index) const {
  return IsParameterIndex(index) ? model->GetParameterValue(index) : 0.0f;
}

const char* InstanceCore::GetParameterShortName(int32_t index) const {
  return IsParameterIndex(index) ? model->GetParameterShortName(index) : "";
}

const char* InstanceCore::GetParameterLongName(int32_t index) const {
  return IsParameterIndex(index) ? model->GetParameterLongName(index) : "";
}

const char* InstanceCore::GetParameterLabel(int32_t index) const {
  return IsParameterIndex(index) ? model->GetParameterLabel(index) : "";
}

void InstanceCore::GetParameterDisplay(int32_t index, char* text, int32_t size) const {
  if (size <= 0) {
    return;
  }
  BoundedCopy(text, IsParameterIndex(index) ? model->GetParameterDisplay(index).c_str() : "",
              static_cast<std::size_t>(size));
}

void InstanceCore::SelectProgram(int32_t program) {
  if (!IsProgramIndex(program)) {
    return;
  }
  model->SetSelectedProgramIndex(program);
  UpdateViewParameters();
}

int32_t InstanceCore::GetSelectedProgram() const {
  return model->GetSelectedProgramIndex();
}

void InstanceCore::SetSelectedProgramName(const char* name) {
  if (name != nullptr) {
    model->SetSelectedProgramName(name);
  }
}

const char* InstanceCore::GetSelectedProgramName() const {
  return model->GetSelectedProgramName();
}

const char* InstanceCore::GetProgramName(int32_t program) const {
  return IsProgramIndex(program) ? model->GetProgramName(program) : nullptr;
}

const ChunkBuffer& InstanceCore::SaveState(bool selectedProgramOnly) {
  chunkBuffer->Clear();
  if (selectedProgramOnly) {
    model->SerializeSelectedProgram(*chunkBuffer);
  } else {
    model->SerializeBank(*chunkBuffer);
  }
  return *chunkBuffer;
}

bool InstanceCore::LoadState(const void* data, int32_t size, bool selectedProgramOnly) {
  if (data == nullptr || size <= 0) {
    return false;
  }
  // The model ignores bytes past a complete chunk, so a longer claim is never read in
  // full: a host's wrong size cannot make us copy gigabytes.
  const int32_t read = size < kLargestStateRead ? size : kLargestStateRead;
  ChunkBuffer copy(data, static_cast<uint32_t>(read));
  const bool accepted =
      selectedProgramOnly ? model->DeserializeSelectedProgram(copy) : model->DeserializeBank(copy);
  if (accepted) {
    UpdateViewParameters();
  }
  return accepted;
}

void InstanceCore::SetSampleRate(float rate) {
  model->SetSampleRate(rate);
}

void InstanceCore::PushMidi(const MidiMessage& message) {
  model->PushMidiEvent(message);
}

void InstanceCore::SetHostTime(const HostTime& time) {
  // Every reported tempo reaches the model, odd ones too: the delay keeps its synced
  // times inside its limit whatever the tempo, and a NaN is never a change.
  if (time.hasTempo) {
    model->SetTempo(time.tempo);
  }
  if (time.hasPosition && std::isfinite(time.position)) {
    model->SetSongPosition(time.position);
  }
  hostPlaying = time.playing;
  model->SetPlaying(time.playing);
  if (time.hasTimeSignature && time.numerator > 0 && time.denominator > 0) {
    model->SetTimeSignature(time.numerator, time.denominator);
  }
}

void InstanceCore::ProcessBlock(float** inputs, float** outputs, int32_t frames) {
  // Most blocks have nothing to drop: a relaxed look first, the exchange only when marked.
  if (startAfreshMark.load(std::memory_order_relaxed) && startAfreshMark.exchange(false, std::memory_order_acquire)) {
    model->SetPlaying(false);
    model->SetPlaying(hostPlaying);
  }
  model->ProcessBlock(inputs, outputs, frames);
}

void InstanceCore::StartAfresh() {
  startAfreshMark.store(true, std::memory_order_release);
}

void InstanceCore::SetEditor(std::unique_ptr<InstanceEditor> newEditor) {
  if (editor != nullptr) {
    editor->Close();
  }
  editor = std::move(newEditor);
}

bool InstanceCore::OpenEditor(NativeWindow parent) {
  return editor != nullptr && editor->Open(parent);
}

void InstanceCore::CloseEditor() {
  if (editor != nullptr) {
    editor->Close();
  }
}

bool InstanceCore::IsEditorOpen() const {
  return editor != nullptr && editor->IsOpen();
}

EditorSize InstanceCore::GetEditorSize() {
  return editor != nullptr ? editor->GetSize() : EditorSize{};
}

int32_t InstanceCore::GetEditorEventDescriptor() const {
  return editor != nullptr ? editor->EventDescriptor() : -1;
}

NativeWindow InstanceCore::GetEditorWindow() const {
  return editor != nullptr ? editor->ViewWindow() : NativeWindow{};
}

void InstanceCore::IdleEditor() {
  if (editor != nullptr) {
    editor->Idle();
  }
}

bool InstanceCore::SetHostScaleFactor(float factor) {
  // The editor rounds and limits the factor; only what is no factor at all is refused.
  if (!std::isfinite(factor) || factor <= 0.0f) {
    return false;
  }
  const bool changed = factor != hostScaleFactor;
  hostScaleFactor = factor;
  if (changed && editor != nullptr) {
    editor->HostScaleFactorChanged();
  }
  return true;
}

bool InstanceCore::RequestEditorResize(int32_t width, int32_t height) {
  return host != nullptr && host->ResizeEditor(width, height);
}

void InstanceCore::SetUserPrompts(UserPrompts& newPrompts) {
  prompts = &newPrompts;
}

void InstanceCore::SetLearnCommands(LearnCommands& commands) {
  learn = &commands;
}

}  // namespace VstToolkit
