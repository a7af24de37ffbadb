#include "model/Model.h"

#include <cassert>
#include <cstddef>
#include <cstdio>

#include "model/BoundedCopy.h"
#include "model/Trace.h"

namespace VstToolkit {

static_assert(Model::kShortNameSize == Model::kLabelSize && Model::kLabelSize == Model::kDisplaySize,
              "short names, labels and displays share one field type");

namespace {

int32_t NonNegative(int32_t count) {
  return count > 0 ? count : 0;
}

}  // namespace

Model::Model(const PluginDescription& description) {
  Trace("Model::Model\r\n");
  BoundedCopy(effectName_, description.effectName, kEffectNameSize);
  BoundedCopy(vendorString_, description.vendorString, kVendorStringSize);
  BoundedCopy(productString_, description.productString, kProductStringSize);
  uniqueId_ = description.uniqueId;
  vendorVersion_ = description.vendorVersion;
  pluginCategory_ = description.pluginCategory;
  programCount_ = NonNegative(description.programCount);
  parameterCount_ = description.parameters != nullptr ? NonNegative(description.parameterCount) : 0;
  inputCount_ = description.inputCount;
  outputCount_ = description.outputCount;

  const auto programs = static_cast<std::size_t>(programCount_);
  const auto parameters = static_cast<std::size_t>(parameterCount_);
  programNames_.resize(programs);
  programValues_.resize(programs * parameters);
  for (int32_t p = 0; p < programCount_; ++p) {
    BoundedCopy(programNames_[static_cast<std::size_t>(p)].data(), "Blank", kProgramNameSize);
    float* values = ProgramValues(p);
    for (int32_t i = 0; i < parameterCount_; ++i) {
      values[i] = description.parameters[i].defaultValue;
    }
  }

  // The resizes zero every field, so the displays start empty.
  parameterLongNames_.resize(parameters);
  parameterShortNames_.resize(parameters);
  parameterLabels_.resize(parameters);
  parameterDisplays_.resize(parameters);
  for (std::size_t i = 0; i < parameters; ++i) {
    const ParameterInfo& info = description.parameters[i];
    BoundedCopy(parameterLongNames_[i].data(), info.longName, kLongNameSize);
    BoundedCopy(parameterShortNames_[i].data(), info.shortName, kShortNameSize);
    BoundedCopy(parameterLabels_[i].data(), info.label, kLabelSize);
  }

  ClearMidiControllerMap();
}

Model::~Model() {
  Trace("Model::~Model\r\n");
}

float* Model::ProgramValues(int32_t program) {
  assert(program >= 0 && program < programCount_);
  return programValues_.data() +
         static_cast<std::size_t>(program) * static_cast<std::size_t>(parameterCount_);
}

const float* Model::ProgramValues(int32_t program) const {
  assert(program >= 0 && program < programCount_);
  return programValues_.data() +
         static_cast<std::size_t>(program) * static_cast<std::size_t>(parameterCount_);
}

void Model::SetController(ControllerLink* link) {
  Trace("Model::SetController\r\n");
  controller_ = link;
}

const char* Model::GetEffectName() const {
  Trace("Model::GetEffectName\r\n");
  return effectName_;
}

const char* Model::GetVendorString() const {
  Trace("Model::GetVendorString\r\n");
  return vendorString_;
}

const char* Model::GetProductString() const {
  Trace("Model::GetProductString\r\n");
  return productString_;
}

int32_t Model::GetUniqueId() const {
  Trace("Model::GetUniqueId\r\n");
  return uniqueId_;
}

int32_t Model::GetVendorVersion() const {
  Trace("Model::GetVendorVersion\r\n");
  return vendorVersion_;
}

int32_t Model::GetPluginCategory() const {
  Trace("Model::GetPluginCategory\r\n");
  return pluginCategory_;
}

int32_t Model::GetProgramCount() const {
  Trace("Model::GetProgramCount\r\n");
  return programCount_;
}

int32_t Model::GetInputCount() const {
  Trace("Model::GetInputCount\r\n");
  return inputCount_;
}

int32_t Model::GetOutputCount() const {
  Trace("Model::GetOutputCount\r\n");
  return outputCount_;
}

int32_t Model::GetParameterCount() const {
  return parameterCount_;
}

void Model::SetParameterValue(int32_t index, float value) {
  Trace("Model::SetParameterValue\r\n");
  assert(index >= 0 && index < parameterCount_);
  float* values = ProgramValues(selectedProgram_);
  const float old = values[index];
  values[index] = value;
  OnParameterValueChanged(index, old, value);
}

float Model::GetParameterValue(int32_t index) const {
  assert(index >= 0 && index < parameterCount_);
  return ProgramValues(selectedProgram_)[index];
}

const char* Model::GetParameterShortName(int32_t index) const {
  Trace("Model::GetParameterShortName\r\n");
  return parameterShortNames_[static_cast<std::size_t>(index)].data();
}

const char* Model::GetParameterLongName(int32_t index) const {
  Trace("Model::GetParameterLongName\r\n");
  return parameterLongNames_[static_cast<std::size_t>(index)].data();
}

const char* Model::GetParameterLabel(int32_t index) const {
  return parameterLabels_[static_cast<std::size_t>(index)].data();
}

const char* Model::GetParameterDisplay(int32_t index) const {
  return parameterDisplays_[static_cast<std::size_t>(index)].data();
}

void Model::SetParameterDisplay(int32_t index, const char* text) {
  Trace("Model::SetParameterDisplay\r\n");
  BoundedCopy(parameterDisplays_[static_cast<std::size_t>(index)].data(), text, kDisplaySize);
}

void Model::SetOnOffParameterDisplay(int32_t index, bool value, const char* offText) {
  Trace("Model::SetOnOffParameterDisplay\r\n");
  SetParameterDisplay(index, value ? "On" : offText);  // BoundedCopy takes a null text as empty
}

void Model::SetFloatParameterDisplay(int32_t index, float value) {
  Trace("Model::SetFloatParameterDisplay\r\n");
  char scratch[32];
  std::snprintf(scratch, sizeof scratch, "%.2f", static_cast<double>(value));
  SetParameterDisplay(index, scratch);
}

bool Model::NormalizedFloatToBool(float value) const {
  Trace("Model::NormalizedFloatToBool\r\n");
  return value >= 0.5f;
}

int32_t Model::NormalizedFloatToSelection(float value, int32_t count) const {
  Trace("Model::NormalizedFloatToSelection\r\n");
  if (count <= 0) {
    return 0;
  }
  const float scaled = value * static_cast<float>(count);
  // Values below 0 and NaN pick the first choice, values from 1.0 up the last:
  // a stored value from a chunk or a careless host must never leave the range.
  if (!(scaled >= 1.0f)) {
    return 0;
  }
  if (scaled >= static_cast<float>(count)) {
    return count - 1;
  }
  return static_cast<int32_t>(scaled);  // 1 <= scaled < count, so within the range
}

void Model::SetSelectedProgramIndex(int32_t index) {
  Trace("Model::SetSelectedProgramIndex\r\n");
  assert(index >= 0 && index < programCount_);
  const int32_t old = selectedProgram_;
  selectedProgram_ = index;
  OnSelectedProgramChanged(old, index);
}

int32_t Model::GetSelectedProgramIndex() const {
  return selectedProgram_;
}

void Model::SetSelectedProgramName(const char* name) {
  Trace("Model::SetSelectedProgramName\r\n");
  BoundedCopy(programNames_[static_cast<std::size_t>(selectedProgram_)].data(), name, kProgramNameSize);
}

const char* Model::GetSelectedProgramName() const {
  return programNames_[static_cast<std::size_t>(selectedProgram_)].data();
}

const char* Model::GetProgramName(int32_t program) const {
  return programNames_[static_cast<std::size_t>(program)].data();
}

float Model::GetProgramParameterValue(int32_t program, int32_t index) const {
  assert(index >= 0 && index < parameterCount_);
  return ProgramValues(program)[index];
}

// Host facts change only on an ordered difference, so a NaN reported by the host
// is never stored and never fires a hook.
void Model::SetSampleRate(float rate) {
  Trace("Model::SetSampleRate\r\n");
  if (rate < sampleRate_ || rate > sampleRate_) {
    const float old = sampleRate_;
    sampleRate_ = rate;
    OnSampleRateChanged(old, rate);
  }
}

float Model::GetSampleRate() const {
  return sampleRate_;
}

void Model::SetTempo(double newTempo) {
  if (newTempo < tempo_ || newTempo > tempo_) {
    const double old = tempo_;
    tempo_ = newTempo;
    OnTempoChanged(old, newTempo);
  }
}

double Model::GetTempo() const {
  Trace("Model::GetTempo\r\n");
  return tempo_;
}

void Model::SetSongPosition(double position) {
  if (position < songPosition_ || position > songPosition_) {
    const double old = songPosition_;
    songPosition_ = position;
    OnSongPositionChanged(old, position);
  }
}

double Model::GetSongPosition() const {
  return songPosition_;
}

void Model::SetPlaying(bool isPlaying) {
  if (isPlaying != playing_) {
    playing_ = isPlaying;
    OnPlayingChanged(isPlaying);
  }
}

bool Model::IsPlaying() const {
  Trace("Model::IsPlaying\r\n");
  return playing_;
}

void Model::SetTimeSignature(int32_t numerator, int32_t denominator) {
  if (numerator != timeSignatureNumerator_ || denominator != timeSignatureDenominator_) {
    const int32_t oldNumerator = timeSignatureNumerator_;
    const int32_t oldDenominator = timeSignatureDenominator_;
    timeSignatureNumerator_ = numerator;
    timeSignatureDenominator_ = denominator;
    OnTimeSignatureChanged(oldNumerator, oldDenominator, numerator, denominator);
  }
}

int32_t Model::GetTimeSignatureNumerator() const {
  return timeSignatureNumerator_;
}

int32_t Model::GetTimeSignatureDenominator() const {
  return timeSignatureDenominator_;
}

void Model::OnSampleRateChanged(float, float) {}
void Model::OnTempoChanged(double, double) {}
void Model::OnSongPositionChanged(double, double) {}
void Model::OnPlayingChanged(bool) {}
void Model::OnTimeSignatureChanged(int32_t, int32_t, int32_t, int32_t) {}
void Model::OnSelectedProgramChanged(int32_t, int32_t) {}
void Model::OnParameterValueChanged(int32_t, float, float) {}
void Model::OnNoteOn(int32_t, uint8_t, uint8_t, uint8_t) {}
void Model::OnNoteOff(int32_t, uint8_t, uint8_t, uint8_t) {}
void Model::OnPolyPressure(int32_t, uint8_t, uint8_t, uint8_t) {}
void Model::OnControlChange(int32_t, uint8_t, uint8_t, uint8_t) {}
void Model::OnProgramChange(int32_t, uint8_t, uint8_t) {}
void Model::OnChannelPressure(int32_t, uint8_t, uint8_t) {}
void Model::OnPitchBend(int32_t, uint8_t, uint16_t) {}

}  // namespace VstToolkit
