// Arbitrary MIDI event streams, learn commands and block sizes through ProcessBlock.
// Each input is a list of operations; the model checks every piece it is asked
// to process and the link checks every parameter that MIDI sets.
#include <cstddef>
#include <cstdint>

#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzModel.h"

using QuorvelFuzz::FuzzInput;
using QuorvelFuzz::FuzzLink;
using QuorvelFuzz::FuzzModel;

namespace {

constexpr int32_t kLargestBlock = 4096;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  FuzzModel model;
  FuzzLink link;
  if ((input.Byte() & 1) == 0) {
    model.SetController(&link);
  }
  while (!input.Empty()) {
    const uint8_t operation = input.Byte();
    switch (operation % 8) {
      case 0:
      case 1:
      case 2: {
        const int32_t delta = (operation & 0x80) != 0 ? input.Int32() : input.Int16();
        const uint8_t status = input.Byte();
        const uint8_t data1 = input.Byte();
        model.PushMidiEvent({delta, status, data1, input.Byte()});
        break;
      }
      case 3:
      case 4: {
        int32_t frames = input.Int16();
        if (frames > kLargestBlock) {
          frames %= kLargestBlock + 1;
        }
        model.RunBlock(frames);
        break;
      }
      case 5:
        model.StartLearningMidi(input.Byte() % FuzzModel::kParameterCount);
        break;
      case 6:
        if ((operation & 0x80) != 0) {
          model.ClearMidiControllerMap();
        } else {
          model.StopLearningMidi();
        }
        break;
      default: {
        const uint8_t controller = input.Byte();
        if ((operation & 0x80) != 0) {
          model.UnregisterMidiControllerMapping(controller);
        } else {
          model.RegisterMidiControllerMapping(controller, input.Byte() % FuzzModel::kParameterCount);
        }
        break;
      }
    }
  }
  model.RunBlock(64);
  return 0;
}
