#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/Model.h"
#include "model/PluginDescription.h"

namespace QuorvelTest {

// A model of the delay's shape (32 programs, 12 parameters, stereo) whose
// processing halves the input, and which records the hooks the host layer drives.
class TestModel final : public VstToolkit::Model {
 public:
  struct Piece {
    int32_t offset;
    int32_t count;
  };

  static const VstToolkit::PluginDescription& Description() {
    static const VstToolkit::ParameterInfo parameters[12] = {{"Enabled", "On", "", 1.0f},
                                                             {"Left Delay", "LDT", "Secs", 0.25f},
                                                             {"Right Delay", "RDT", "Secs", 0.5f},
                                                             {"Sync", "Sync", "", 0.0f},
                                                             {"Left Note", "LNote", "", 0.0f},
                                                             {"Right Note", "RNote", "", 0.0f},
                                                             {"Feedback", "FB", "%", 0.5f},
                                                             {"Filter", "Filt", "", 0.0f},
                                                             {"Filter Type", "FType", "", 0.0f},
                                                             {"Cutoff", "Cut", "Hz", 0.5f},
                                                             {"Pan", "Pan", "", 0.0f},
                                                             {"Mix", "Mix", "%", 0.5f}};
    static const VstToolkit::PluginDescription description = {
        "Quorvel Delay", "Quorvel Sound Design", "Quorvel Delay", 0x51446C79, 2700, 1, 32, 2, 2, 12,
        parameters};
    return description;
  }

  TestModel() : Model(Description()) {
    for (int32_t i = 0; i < GetParameterCount(); ++i) {
      WriteDisplay(i, GetParameterValue(i));
    }
  }

  void Process(float** inputs, float** outputs, int32_t offset, int32_t count) override {
    pieces.push_back(Piece{offset, count});
    for (int c = 0; c < 2; ++c) {
      for (int32_t i = offset; i < offset + count; ++i) {
        outputs[c][i] = inputs[c][i] * 0.5f;
      }
    }
  }

  std::vector<Piece> pieces;
  std::vector<bool> playingChanges;
  std::vector<double> tempoChanges;
  std::vector<uint8_t> controlChanges;  // controller numbers, in dispatch order
  std::vector<std::vector<int32_t>> timeSignatureChanges;

 protected:
  void OnParameterValueChanged(int32_t index, float, float newValue) override {
    WriteDisplay(index, newValue);
  }
  void OnPlayingChanged(bool playing) override { playingChanges.push_back(playing); }
  void OnTempoChanged(double, double newTempo) override { tempoChanges.push_back(newTempo); }
  void OnTimeSignatureChanged(int32_t, int32_t, int32_t numerator, int32_t denominator) override {
    timeSignatureChanges.push_back({numerator, denominator});
  }
  void OnControlChange(int32_t, uint8_t, uint8_t controller, uint8_t) override {
    controlChanges.push_back(controller);
  }

 private:
  // Parameter 0 reads On/Off like the delay's switch; the rest show two decimals.
  void WriteDisplay(int32_t index, float value) {
    if (index == 0) {
      SetParameterDisplay(index, value >= 0.5f ? "On" : "Off");
    } else {
      SetFloatParameterDisplay(index, value);
    }
  }
};

}  // namespace QuorvelTest
