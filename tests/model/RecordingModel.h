#pragma once

#include <string>
#include <vector>

#include "model/ControllerLink.h"
#include "model/Model.h"
#include "model/PluginDescription.h"

namespace QuorvelTest {

// The identity of the plug-in with a parameter table of the test's own, whose
// defaults are exactly representable so that their bytes can be worked out by hand.
const VstToolkit::PluginDescription& TestDescription();

// One call of Process: where the piece starts and how long it is.
struct Piece {
  int32_t offset;
  int32_t count;
  bool operator==(const Piece& other) const { return offset == other.offset && count == other.count; }
};

// A model that records every hook call and every piece of audio it is asked to
// process as one line of text, in order (pieces also as numbers). Process writes parameter 0's current
// value into every output frame of the piece, so a test can see at which frame a
// change took effect.
class RecordingModel final : public VstToolkit::Model {
 public:
  RecordingModel();

  void Process(float** inputs, float** outputs, int32_t offset, int32_t count) override;

  std::vector<std::string> events;
  std::vector<Piece> pieces;

 protected:
  void OnSampleRateChanged(float oldRate, float newRate) override;
  void OnTempoChanged(double oldTempo, double newTempo) override;
  void OnSongPositionChanged(double oldPosition, double newPosition) override;
  void OnPlayingChanged(bool isPlaying) override;
  void OnTimeSignatureChanged(int32_t oldNumerator, int32_t oldDenominator, int32_t newNumerator,
                              int32_t newDenominator) override;
  void OnSelectedProgramChanged(int32_t oldIndex, int32_t newIndex) override;
  void OnParameterValueChanged(int32_t index, float oldValue, float newValue) override;
  void OnNoteOn(int32_t deltaFrames, uint8_t channel, uint8_t note, uint8_t velocity) override;
  void OnNoteOff(int32_t deltaFrames, uint8_t channel, uint8_t note, uint8_t velocity) override;
  void OnPolyPressure(int32_t deltaFrames, uint8_t channel, uint8_t note, uint8_t pressure) override;
  void OnControlChange(int32_t deltaFrames, uint8_t channel, uint8_t controller, uint8_t value) override;
  void OnProgramChange(int32_t deltaFrames, uint8_t channel, uint8_t program) override;
  void OnChannelPressure(int32_t deltaFrames, uint8_t channel, uint8_t pressure) override;
  void OnPitchBend(int32_t deltaFrames, uint8_t channel, uint16_t value) override;

 private:
  void Record(const char* format, ...) __attribute__((format(printf, 2, 3)));
};

// Records what MIDI dispatch tells the controller.
class RecordingLink final : public VstToolkit::ControllerLink {
 public:
  void OnModelMidiLearned() override { events.emplace_back("learned"); }
  void OnModelParameterValueChanged(int32_t index, float value) override;

  std::vector<std::string> events;
};

}  // namespace QuorvelTest
