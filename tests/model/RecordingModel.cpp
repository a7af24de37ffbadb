#include "tests/model/RecordingModel.h"

#include <cstdarg>
#include <cstdio>

namespace QuorvelTest {

namespace {

// Defaults chosen to be exact in single precision; the golden chunk bytes rely on them.
const VstToolkit::ParameterInfo kParameters[12] = {
    {"Enabled", "Enable", "", 1.0f},
    {"Delay Left", "DlyL", "ms", 0.5f},
    {"Delay Right", "DlyR", "ms", 0.25f},
    {"Sync", "Sync", "", 0.0f},
    {"Note Left", "NoteL", "", 0.75f},
    {"Note Right", "NoteR", "", 0.125f},
    {"Feedback", "Fdbk", "%", 0.5f},
    {"Filter", "Filter", "", 0.0f},
    {"Cutoff", "Cutoff", "Hz", 1.0f},
    {"Pan", "Pan", "", 0.0f},
    {"Mix", "Mix", "", 0.5f},
    {"Output Level Long Name", "Output", "dB", 0.375f},
};

const VstToolkit::PluginDescription kDescription = {
    "Quorvel Delay", "Quorvel Sound Design", "Quorvel Delay", 0x51446C79, 2700, 1, 32, 2, 2, 12, kParameters,
};

}  // namespace

const VstToolkit::PluginDescription& TestDescription() {
  return kDescription;
}

RecordingModel::RecordingModel() : Model(kDescription) {}

void RecordingModel::Process(float**, float** outputs, int32_t offset, int32_t count) {
  pieces.push_back({offset, count});
  Record("process %d %d", offset, count);
  if (outputs == nullptr) {
    return;
  }
  for (int32_t k = 0; k < count; ++k) {
    outputs[0][offset + k] = GetParameterValue(0);
    outputs[1][offset + k] = GetParameterValue(0);
  }
}

void RecordingModel::Record(const char* format, ...) {
  char line[128];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(line, sizeof line, format, arguments);
  va_end(arguments);
  events.emplace_back(line);
}

void RecordingModel::OnSampleRateChanged(float oldRate, float newRate) {
  Record("sampleRate %g %g", static_cast<double>(oldRate), static_cast<double>(newRate));
}
void RecordingModel::OnTempoChanged(double oldTempo, double newTempo) {
  Record("tempo %g %g", oldTempo, newTempo);
}
void RecordingModel::OnSongPositionChanged(double oldPosition, double newPosition) {
  Record("position %g %g", oldPosition, newPosition);
}
void RecordingModel::OnPlayingChanged(bool isPlaying) {
  Record("playing %d", isPlaying ? 1 : 0);
}
void RecordingModel::OnTimeSignatureChanged(int32_t oldNumerator, int32_t oldDenominator,
                                            int32_t newNumerator, int32_t newDenominator) {
  Record("timeSignature %d/%d %d/%d", oldNumerator, oldDenominator, newNumerator, newDenominator);
}
void RecordingModel::OnSelectedProgramChanged(int32_t oldIndex, int32_t newIndex) {
  Record("program %d %d", oldIndex, newIndex);
}
void RecordingModel::OnParameterValueChanged(int32_t index, float oldValue, float newValue) {
  Record("parameter %d %g %g", index, static_cast<double>(oldValue), static_cast<double>(newValue));
}
void RecordingModel::OnNoteOn(int32_t deltaFrames, uint8_t channel, uint8_t note, uint8_t velocity) {
  Record("noteOn %d %d %d %d", deltaFrames, channel, note, velocity);
}
void RecordingModel::OnNoteOff(int32_t deltaFrames, uint8_t channel, uint8_t note, uint8_t velocity) {
  Record("noteOff %d %d %d %d", deltaFrames, channel, note, velocity);
}
void RecordingModel::OnPolyPressure(int32_t deltaFrames, uint8_t channel, uint8_t note, uint8_t pressure) {
  Record("polyPressure %d %d %d %d", deltaFrames, channel, note, pressure);
}
void RecordingModel::OnControlChange(int32_t deltaFrames, uint8_t channel, uint8_t controller,
                                     uint8_t value) {
  Record("controlChange %d %d %d %d", deltaFrames, channel, controller, value);
}
void RecordingModel::OnProgramChange(int32_t deltaFrames, uint8_t channel, uint8_t program) {
  Record("programChange %d %d %d", deltaFrames, channel, program);
}
void RecordingModel::OnChannelPressure(int32_t deltaFrames, uint8_t channel, uint8_t pressure) {
  Record("channelPressure %d %d %d", deltaFrames, channel, pressure);
}
void RecordingModel::OnPitchBend(int32_t deltaFrames, uint8_t channel, uint16_t value) {
  Record("pitchBend %d %d %d", deltaFrames, channel, value);
}

void RecordingLink::OnModelParameterValueChanged(int32_t index, float value) {
  char line[64];
  std::snprintf(line, sizeof line, "parameter %d %g", index, static_cast<double>(value));
  events.emplace_back(line);
}

}  // namespace QuorvelTest
