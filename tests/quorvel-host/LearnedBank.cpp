// Writes a bank chunk of the delay in which two controllers were learned the
// way a user learns them: learning armed for a parameter, then a control
// change arriving on the audio path. validate --bank starts from it, so that
// its MIDI learn check has bindings to carry through a bank round trip.
#include <cstdio>
#include <fstream>

#include "delay/DelayParameterTable.h"
#include "delay/QuorvelDelayModel.h"
#include "model/ChunkBuffer.h"

namespace {

void Learn(QuorvelDelayModel& model, int32_t parameter, uint8_t controller) {
  float silence[64] = {};
  float left[64];
  float right[64];
  float* inputs[2] = {silence, silence};
  float* outputs[2] = {left, right};
  model.StartLearningMidi(parameter);
  model.PushMidiEvent({0, 0xB0, controller, 64});
  model.ProcessBlock(inputs, outputs, 64);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: quorvel-learned-bank OUT\n", stderr);
    return 2;
  }
  QuorvelDelayModel model;
  Learn(model, DelayParameter::kFeedback, 74);
  Learn(model, DelayParameter::kMix, 21);
  VstToolkit::ChunkBuffer bank;
  model.SerializeBank(bank);
  std::ofstream file(argv[1], std::ios::binary);
  file.write(reinterpret_cast<const char*>(bank.GetData()), static_cast<std::streamsize>(bank.GetSize()));
  return file ? 0 : 1;
}
