#include "model/Model.h"

#include <cassert>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "model/BoundedCopy.h"
#include "model/Trace.h"

namespace VstToolkit {

static_assert(Model::kShortNameSize == Model::kLabelSize && Model::kLabelSize == Model::kDisplaySize,
              "short names, labels and displays share one field type");
static_assert(DisplayText::kSize == Model::kDisplaySize && sizeof(uint64_t) == Model::kDisplaySize,
              "a display is one 64-bit word");
// Lock-free, or the audio thread could wait on a lock hidden inside an atomic.
static_assert(std::atomic<float>::is_always_lock_free && std::atomic<double>::is_always_lock_free &&
                  std::atomic<int64_t>::is_always_lock_free && std::atomic<uint64_t>::is_always_lock_free &&
                  std::atomic<int32_t>::is_always_lock_free && std::atomic<bool>::is_always_lock_free,
              "the shared values are lock-free atomics");

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
  programValues_ = std::make_unique<std::atomic<float>[]>(programs * parameters);
  for (int32_t p = 0; p < programCount_; ++p) {
    BoundedCopy(programNames_[static_cast<std::size_t>(p)].data(), "Blank", kProgramNameSize);
    std::atomic<float>* values = ProgramValues(p);
    for (int32_t i = 0; i < parameterCount_; ++i) {
      values[i].store(description.parameters[i].defaultValue, std::memory_order_relaxed);
    }
  }

  // The resizes and make_unique zero every field, so the displays start empty.
  parameterLongNames_.resize(parameters);
  parameterShortNames_.resize(parameters);
  parameterLabels_.resize(parameters);
  parameterDefaults_.resize(parameters);
  parameterDisplays_ = std::make_unique<std::atomic<uint64_t>[]>(parameters);
  for (std::size_t i = 0; i < parameters; ++i) {
    const ParameterInfo& info = description.parameters[i];
    BoundedCopy(parameterLongNames_[i].data(), info.longName, kLongNameSize);
    BoundedCopy(parameterShortNames_[i].data(), info.shortName, kShortNameSize);
    BoundedCopy(parameterLabels_[i].data(), info.label, kLabelSize);
    parameterDefaults_[i] = info.defaultValue;
  }

  ClearMidiControllerMap();
}

Model::~Model() {
  Trace("Model::~Model\r\n");
}

std::atomic<float>* Model::ProgramValues(int32_t program) {
  assert(program >= 0 && program < programCount_);
  return programValues_.get() + static_cast<std::size_t>(program) * static_cast<std::size_t>(parameterCount_);
}

const std::atomic<float>* Model::ProgramValues(int32_t program) const {
  assert(program >= 0 && program < programCount_);
  return programValues_.get() + static_cast<std::size_t>(program) * static_cast<std::size_t>(parameterCount_);
}

std::size_t Model::ProgramValueCount() const {
  return static_cast<std::size_t>(programCount_) * static_cast<std::size_t>(parameterCount_);
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
  // One exchange: with a second writer at work, each still reports the value it replaced.
  const float old = ProgramValues(GetSelectedProgramIndex())[index].exchange(value, std::memory_order_relaxed);
  OnParameterValueChanged(index, old, value);
}

// The same trace line as SetParameterValue: to the model it is the same change.
void Model::SetParameterValueInUnits(int32_t index, float value, float units) {
  Trace("Model::SetParameterValue\r\n");
  assert(index >= 0 && index < parameterCount_);
  const float old = ProgramValues(GetSelectedProgramIndex())[index].exchange(value, std::memory_order_relaxed);
  OnParameterUnitsChanged(index, old, value, units);
}

float Model::GetParameterValue(int32_t index) const {
  assert(index >= 0 && index < parameterCount_);
  return ProgramValues(GetSelectedProgramIndex())[index].load(std::memory_order_relaxed);
}

const char* Model::GetParameterShortName(int32_t index) const {
  Trace("Model::GetParameterShortName\r\n");
  return ParameterShortName(index);
}

const char* Model::GetParameterLongName(int32_t index) const {
  Trace("Model::GetParameterLongName\r\n");
  return ParameterLongName(index);
}

const char* Model::GetParameterLabel(int32_t index) const {
  return parameterLabels_[static_cast<std::size_t>(index)].data();
}

float Model::GetParameterDefault(int32_t index) const {
  return parameterDefaults_[static_cast<std::size_t>(index)];
}

const char* Model::ParameterShortName(int32_t index) const {
  return parameterShortNames_[static_cast<std::size_t>(index)].data();
}

const char* Model::ParameterLongName(int32_t index) const {
  return parameterLongNames_[static_cast<std::size_t>(index)].data();
}

ParameterKind Model::GetParameterKind(int32_t) const {
  return ParameterKind::kContinuous;
}

int32_t Model::GetParameterChoiceCount(int32_t) const {
  return 0;
}

DisplayText Model::FormatParameterValue(int32_t, float) const {
  return DisplayText();
}

bool Model::ParseParameterValue(int32_t, const char*, float&) const {
  return false;
}

ParameterUnits Model::GetParameterUnits(int32_t) const {
  return ParameterUnits{};
}

float Model::ValueToUnits(int32_t, float value) const {
  return value > 0.0f ? (value < 1.0f ? value : 1.0f) : 0.0f;
}

float Model::UnitsToValue(int32_t, float units) const {
  if (std::isnan(units)) {
    return units;
  }
  return units > 0.0f ? (units < 1.0f ? units : 1.0f) : 0.0f;
}

DisplayText Model::GetParameterDisplay(int32_t index) const {
  const uint64_t word = parameterDisplays_[static_cast<std::size_t>(index)].load(std::memory_order_relaxed);
  DisplayText display;
  std::memcpy(display.text_, &word, sizeof word);
  return display;
}

void Model::SetParameterDisplay(int32_t index, const char* text) {
  Trace("Model::SetParameterDisplay\r\n");
  const DisplayText field = DisplayOf(text);
  uint64_t word = 0;
  std::memcpy(&word, field.text_, sizeof word);
  parameterDisplays_[static_cast<std::size_t>(index)].store(word, std::memory_order_relaxed);
}

void Model::SetOnOffParameterDisplay(int32_t index, bool value, const char* offText) {
  Trace("Model::SetOnOffParameterDisplay\r\n");
  SetParameterDisplay(index, OnOffText(value, offText));
}

void Model::SetFloatParameterDisplay(int32_t index, float value) {
  Trace("Model::SetFloatParameterDisplay\r\n");
  SetParameterDisplay(index, FloatDisplayOf(value));
}

DisplayText Model::DisplayOf(const char* text) {
  DisplayText field;
  BoundedCopy(field.text_, text, kDisplaySize);
  return field;
}

DisplayText Model::FloatDisplayOf(float value) {
  char scratch[64];  // the widest float in full, "-340282346638528859811704183484516925440.00"
  // Written here rather than by printf, which locks and allocates on some platforms
  // (the audio thread shows values it sets). A float times 100 is exact in a double
  // (24 + 7 bits), so rounding that half to even gives the correctly rounded two
  // decimals printf writes.
  const double hundredths = std::fabs(static_cast<double>(value) * 100.0);
  if (!std::isfinite(value)) {
    // The C library's own words for these (which differ between them), with no point.
    std::snprintf(scratch, sizeof scratch, "%.2f", static_cast<double>(value));
    return DisplayOf(scratch);
  }
  if (!(hundredths < 9007199254740992.0)) {  // past 2^53
    // printf's "%.2f" of these, with its point whatever the process's locale.
    const std::to_chars_result written =
        std::to_chars(scratch, scratch + sizeof scratch - 1, static_cast<double>(value), std::chars_format::fixed, 2);
    *written.ptr = '\0';
    return DisplayOf(scratch);
  }
  auto whole = static_cast<uint64_t>(hundredths);
  const double fraction = hundredths - static_cast<double>(whole);
  if (fraction > 0.5 || (fraction == 0.5 && (whole & 1u) != 0)) {
    ++whole;
  }
  char* text = scratch + sizeof scratch;
  *--text = '\0';
  for (int decimal = 0; decimal < 2; ++decimal) {
    *--text = static_cast<char>('0' + whole % 10);
    whole /= 10;
  }
  *--text = '.';
  do {
    *--text = static_cast<char>('0' + whole % 10);
    whole /= 10;
  } while (whole != 0);
  if (std::signbit(value)) {
    *--text = '-';
  }
  return DisplayOf(text);
}

const char* Model::OnOffText(bool value, const char* offText) {
  return value ? "On" : offText;  // DisplayOf takes a null text as empty
}

bool Model::NormalizedFloatToBool(float value) const {
  Trace("Model::NormalizedFloatToBool\r\n");
  return BoolOf(value);
}

int32_t Model::NormalizedFloatToSelection(float value, int32_t count) const {
  Trace("Model::NormalizedFloatToSelection\r\n");
  return SelectionOf(value, count);
}

bool Model::BoolOf(float value) {
  return value >= 0.5f;
}

int32_t Model::SelectionOf(float value, int32_t count) {
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
  const int32_t old = selectedProgram_.exchange(index, std::memory_order_relaxed);
  OnSelectedProgramChanged(old, index);
}

int32_t Model::GetSelectedProgramIndex() const {
  return selectedProgram_.load(std::memory_order_relaxed);
}

void Model::SetSelectedProgramName(const char* name) {
  Trace("Model::SetSelectedProgramName\r\n");
  BoundedCopy(programNames_[static_cast<std::size_t>(GetSelectedProgramIndex())].data(), name, kProgramNameSize);
}

const char* Model::GetSelectedProgramName() const {
  return programNames_[static_cast<std::size_t>(GetSelectedProgramIndex())].data();
}

const char* Model::GetProgramName(int32_t program) const {
  return programNames_[static_cast<std::size_t>(program)].data();
}

float Model::GetProgramParameterValue(int32_t program, int32_t index) const {
  assert(index >= 0 && index < parameterCount_);
  return ProgramValues(program)[index].load(std::memory_order_relaxed);
}


void Model::OnSampleRateChanged(float, float) {}
void Model::OnTempoChanged(double, double) {}
void Model::OnSongPositionChanged(double, double) {}
void Model::OnPlayingChanged(bool) {}
void Model::OnTimeSignatureChanged(int32_t, int32_t, int32_t, int32_t) {}
void Model::OnSelectedProgramChanged(int32_t, int32_t) {}
void Model::OnParameterValueChanged(int32_t, float, float) {}
void Model::OnParameterUnitsChanged(int32_t index, float oldValue, float newValue, float) {
  OnParameterValueChanged(index, oldValue, newValue);
}
void Model::OnNoteOn(int32_t, uint8_t, uint8_t, uint8_t) {}
void Model::OnNoteOff(int32_t, uint8_t, uint8_t, uint8_t) {}
void Model::OnPolyPressure(int32_t, uint8_t, uint8_t, uint8_t) {}
void Model::OnControlChange(int32_t, uint8_t, uint8_t, uint8_t) {}
void Model::OnProgramChange(int32_t, uint8_t, uint8_t) {}
void Model::OnChannelPressure(int32_t, uint8_t, uint8_t) {}
void Model::OnPitchBend(int32_t, uint8_t, uint16_t) {}

}  // namespace VstToolkit
