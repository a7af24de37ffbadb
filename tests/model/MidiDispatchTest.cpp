#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/model/RecordingModel.h"
#include "tests/support/TraceCapture.h"

using QuorvelTest::Piece;
using QuorvelTest::RecordingLink;
using QuorvelTest::RecordingModel;
using QuorvelTest::TraceCapture;
using Lines = std::vector<std::string>;

namespace {

void Push(RecordingModel& model, int32_t delta, uint8_t status, uint8_t data1 = 0, uint8_t data2 = 0) {
  model.PushMidiEvent({delta, status, data1, data2});
}

uint32_t Bits(float value) {
  uint32_t bits = 0;
  std::memcpy(&bits, &value, 4);
  return bits;
}

}  // namespace

TEST(MidiDispatch, ChannelMessagesReachTheirHooksWithChannelAndData) {
  RecordingModel model;
  model.DispatchMidiMessage(7, 0x93, 60, 100);
  model.DispatchMidiMessage(8, 0x93, 60, 0);  // note on with velocity 0 is a note off
  model.DispatchMidiMessage(9, 0x8F, 61, 64);
  model.DispatchMidiMessage(1, 0xA2, 62, 30);
  model.DispatchMidiMessage(2, 0xB4, 74, 99);
  model.DispatchMidiMessage(3, 0xC5, 12, 77);
  model.DispatchMidiMessage(4, 0xD6, 40, 77);
  model.DispatchMidiMessage(5, 0xE1, 0x7F, 0x7F);  // 127 * 128 + 127 = 16383
  model.DispatchMidiMessage(6, 0xE0, 0x00, 0x40);  // 64 * 128 = 8192, the centre
  EXPECT_EQ(model.events, (Lines{"noteOn 7 3 60 100", "noteOff 8 3 60 0", "noteOff 9 15 61 64",
                                 "polyPressure 1 2 62 30", "controlChange 2 4 74 99", "programChange 3 5 12",
                                 "channelPressure 4 6 40", "pitchBend 5 1 16383", "pitchBend 6 0 8192"}));
  EXPECT_EQ(model.GetSelectedProgramIndex(), 0);  // a MIDI program change selects no program
}

TEST(MidiDispatch, SystemAndDataBytesAsStatusAreIgnoredButTraced) {
  RecordingModel model;
  TraceCapture capture;
  model.DispatchMidiMessage(0, 0xF8, 0, 0);  // timing clock
  model.DispatchMidiMessage(0, 0x40, 1, 2);  // a bare data byte
  model.DispatchMidiMessage(0, 0xFF, 1, 2);
  EXPECT_TRUE(model.events.empty());
  EXPECT_EQ(capture.Lines(), (Lines(3, "Model::DispatchMidiMessage\r\n")));
}

TEST(MidiBlocks, AMessageAtDeltaZeroGivesAnEmptyPieceFirst) {
  RecordingModel model;
  Push(model, 0, 0x90, 60, 1);
  model.ProcessBlock(nullptr, nullptr, 512);
  EXPECT_EQ(model.events, (Lines{"process 0 0", "noteOn 0 0 60 1", "process 0 512"}));
}

TEST(MidiBlocks, MessagesSplitTheBlockAtTheirDeltas) {
  RecordingModel model;
  Push(model, 100, 0x90, 60, 1);
  Push(model, 300, 0x80, 60, 0);
  model.ProcessBlock(nullptr, nullptr, 512);
  EXPECT_EQ(model.events, (Lines{"process 0 100", "noteOn 100 0 60 1", "process 100 200",
                                 "noteOff 300 0 60 0", "process 300 212"}));
}

TEST(MidiBlocks, TwoMessagesAtOnePositionGetAnEmptyPieceBetweenThem) {
  RecordingModel model;
  Push(model, 10, 0x90, 60, 1);
  Push(model, 10, 0x90, 61, 1);
  model.ProcessBlock(nullptr, nullptr, 20);
  EXPECT_EQ(model.events,
            (Lines{"process 0 10", "noteOn 10 0 60 1", "process 10 0", "noteOn 10 0 61 1", "process 10 10"}));
}

TEST(MidiBlocks, AMessageAtTheBlockEndIsDispatchedAndLaterOnesWaitForTheNextBlock) {
  RecordingModel model;
  Push(model, 512, 0x90, 60, 1);
  Push(model, 3, 0x90, 61, 1);
  model.ProcessBlock(nullptr, nullptr, 512);
  EXPECT_EQ(model.events, (Lines{"process 0 512", "noteOn 512 0 60 1"}));
  model.events.clear();
  model.ProcessBlock(nullptr, nullptr, 8);
  EXPECT_EQ(model.events, (Lines{"process 0 3", "noteOn 3 0 61 1", "process 3 5"}));
}

TEST(MidiBlocks, AMessageBeyondTheBlockFlushesTheWholeQueueAfterTheAudio) {
  RecordingModel model;
  Push(model, 600, 0x90, 60, 1);
  Push(model, 5, 0x90, 61, 1);
  Push(model, 700, 0x90, 62, 1);
  model.ProcessBlock(nullptr, nullptr, 512);
  EXPECT_EQ(model.events,
            (Lines{"process 0 512", "noteOn 600 0 60 1", "noteOn 5 0 61 1", "noteOn 700 0 62 1"}));
  model.events.clear();
  model.ProcessBlock(nullptr, nullptr, 4);
  EXPECT_EQ(model.events, (Lines{"process 0 4"}));
}

TEST(MidiBlocks, AnEmptyOrNegativeBlockProcessesNothingAndKeepsTheQueue) {
  RecordingModel model;
  Push(model, 0, 0x90, 60, 1);
  model.ProcessBlock(nullptr, nullptr, 0);
  model.ProcessBlock(nullptr, nullptr, -5);
  EXPECT_TRUE(model.events.empty());
  model.ProcessBlock(nullptr, nullptr, 2);
  EXPECT_EQ(model.events, (Lines{"process 0 0", "noteOn 0 0 60 1", "process 0 2"}));
}

TEST(MidiBlocks, UnsortedAndNegativeDeltasAreDispatchedAtTheCurrentPosition) {
  RecordingModel model;
  Push(model, -40, 0x90, 1, 1);
  Push(model, 50, 0x90, 2, 1);
  Push(model, 20, 0x90, 3, 1);
  Push(model, -1, 0x90, 4, 1);
  Push(model, 64, 0x90, 5, 1);
  model.ProcessBlock(nullptr, nullptr, 64);
  EXPECT_EQ(model.events, (Lines{"process 0 0", "noteOn 0 0 1 1", "process 0 50", "noteOn 50 0 2 1",
                                 "process 50 0", "noteOn 50 0 3 1", "process 50 0", "noteOn 50 0 4 1",
                                 "process 50 14", "noteOn 64 0 5 1"}));
}

TEST(MidiBlocks, PiecesAlwaysTileTheBlockWhateverTheDeltas) {
  const int32_t deltas[] = {-2147483647 - 1, -7, 0, 3, 1000, 63, 64, 65, 2147483647, 10, 10, -1, 31};
  for (const int32_t frames : {1, 13, 64, 1000}) {
    RecordingModel model;
    for (const int32_t delta : deltas) {
      Push(model, delta, 0x90, 1, 1);
    }
    for (int block = 0; block < 20; ++block) {
      model.pieces.clear();
      model.ProcessBlock(nullptr, nullptr, frames);
      int32_t position = 0;
      for (const Piece& piece : model.pieces) {
        EXPECT_EQ(piece.offset, position);
        EXPECT_GE(piece.count, 0);
        position += piece.count;
      }
      EXPECT_EQ(position, frames) << "block of " << frames;
    }
  }
}

TEST(MidiLearn, AMappedControllerSetsItsParameterOnEveryChannelAndTellsTheController) {
  RecordingModel model;
  RecordingLink link;
  model.SetController(&link);
  model.RegisterMidiControllerMapping(74, 6);
  model.DispatchMidiMessage(0, 0xB9, 74, 127);
  EXPECT_EQ(model.GetParameterValue(6), 1.0f);  // 127 * (1/127 rounded) is exactly 1.0
  model.DispatchMidiMessage(0, 0xB0, 74, 1);
  EXPECT_EQ(Bits(model.GetParameterValue(6)), 0x3C010204u);  // 1/127 rounded to single precision
  model.DispatchMidiMessage(0, 0xB3, 74, 64);
  EXPECT_NEAR(model.GetParameterValue(6), 0.503937f, 1e-6f);  // 64/127 = 0.5039370
  model.DispatchMidiMessage(0, 0xBF, 74, 0);
  EXPECT_EQ(model.GetParameterValue(6), 0.0f);
  EXPECT_EQ(link.events,
            (Lines{"parameter 6 1", "parameter 6 0.00787402", "parameter 6 0.503937", "parameter 6 0"}));
  EXPECT_EQ(model.events[0], "parameter 6 0.5 1");
  EXPECT_EQ(model.events[1], "controlChange 0 9 74 127");
}

TEST(MidiLearn, UnmappedControllersAndAMissingLinkMoveNothing) {
  RecordingModel model;
  model.RegisterMidiControllerMapping(74, 6);
  model.DispatchMidiMessage(0, 0xB0, 74, 127);  // mapped, but no controller to tell
  RecordingLink link;
  model.SetController(&link);
  model.DispatchMidiMessage(0, 0xB0, 75, 127);  // unmapped
  EXPECT_EQ(model.GetParameterValue(6), 0.5f);
  EXPECT_EQ(model.events, (Lines{"controlChange 0 0 74 127", "controlChange 0 0 75 127"}));
  EXPECT_TRUE(link.events.empty());
}

TEST(MidiLearn, LearningReplacesTheParametersOldControllerAndTakesTheNewOneFromAnother) {
  RecordingModel model;
  RecordingLink link;
  model.SetController(&link);
  model.RegisterMidiControllerMapping(20, 3);
  model.RegisterMidiControllerMapping(74, 6);
  model.StartLearningMidi(3);
  EXPECT_TRUE(model.IsLearningMidi());
  TraceCapture capture;
  model.DispatchMidiMessage(0, 0xB5, 74, 127);
  EXPECT_EQ(capture.Lines(),
            (Lines{"Model::DispatchMidiMessage\r\n", "Model::DispatchController\r\n",
                   "Model::ParameterToController\r\n", "Model::UnregisterMidiControllerMapping\r\n",
                   "Model::RegisterMidiControllerMapping\r\n", "Model::StopLearningMidi\r\n"}));
  EXPECT_FALSE(model.IsLearningMidi());
  EXPECT_FALSE(model.IsMidiControllerMapped(20));
  EXPECT_TRUE(model.IsMidiControllerMapped(74));
  EXPECT_EQ(model.ControllerToParameter(74), 3);
  EXPECT_FALSE(model.HasMidiControllerMapping(6));
  EXPECT_EQ(model.ParameterToController(6), 128);
  // The control change that completes learning moves neither the new nor the old parameter.
  EXPECT_EQ(model.GetParameterValue(3), 0.0f);
  EXPECT_EQ(model.GetParameterValue(6), 0.5f);
  EXPECT_EQ(link.events, (Lines{"learned"}));
  // From now on 74 drives parameter 3.
  model.DispatchMidiMessage(0, 0xB0, 74, 127);
  EXPECT_EQ(model.GetParameterValue(3), 1.0f);
}

TEST(MidiLearn, LearningAFreeControllerReleasesThePreviousOne) {
  RecordingModel model;
  RecordingLink link;
  model.SetController(&link);
  model.RegisterMidiControllerMapping(20, 3);
  model.StartLearningMidi(3);
  model.DispatchMidiMessage(0, 0xB0, 21, 100);
  EXPECT_FALSE(model.IsMidiControllerMapped(20));
  EXPECT_EQ(model.ParameterToController(3), 21);
  EXPECT_EQ(model.GetParameterValue(3), 0.0f);
  model.DispatchMidiMessage(0, 0xB0, 20, 127);  // the released controller no longer moves it
  EXPECT_EQ(model.GetParameterValue(3), 0.0f);
}

TEST(MidiLearn, StartingAgainRetargetsAndStoppingCancels) {
  RecordingModel model;
  RecordingLink link;
  model.SetController(&link);
  model.StartLearningMidi(2);
  model.StartLearningMidi(9);
  model.DispatchMidiMessage(0, 0xB0, 30, 5);
  EXPECT_EQ(model.ControllerToParameter(30), 9);
  EXPECT_FALSE(model.HasMidiControllerMapping(2));
  model.StartLearningMidi(4);
  model.StopLearningMidi();
  model.DispatchMidiMessage(0, 0xB0, 31, 5);
  EXPECT_FALSE(model.IsMidiControllerMapped(31));
}

TEST(MidiLearn, ALearnWithoutAControllerLinkStillBinds) {
  RecordingModel model;
  model.StartLearningMidi(5);
  model.DispatchMidiMessage(0, 0xB0, 12, 64);
  EXPECT_FALSE(model.IsLearningMidi());
  EXPECT_EQ(model.ParameterToController(5), 12);
}

TEST(MidiLearn, BytesOutsideSevenBitsNeitherIndexTheMapNorMoveAParameter) {
  RecordingModel model;
  RecordingLink link;
  model.SetController(&link);
  model.StartLearningMidi(5);
  model.DispatchMidiMessage(0, 0xB0, 200, 10);  // controller byte 200 cannot be learned
  EXPECT_TRUE(model.IsLearningMidi());
  model.StopLearningMidi();
  model.RegisterMidiControllerMapping(74, 6);
  model.DispatchMidiMessage(0, 0xB0, 74, 255);  // a value byte of 255 would give 2.0
  EXPECT_EQ(model.GetParameterValue(6), 0.5f);
  model.RegisterMidiControllerMapping(128, 1);
  model.RegisterMidiControllerMapping(255, 1);
  model.UnregisterMidiControllerMapping(200);
  EXPECT_FALSE(model.HasMidiControllerMapping(1));
  EXPECT_FALSE(model.IsMidiControllerMapped(128));
  EXPECT_EQ(model.ControllerToParameter(255), 0);
  EXPECT_TRUE(link.events.empty());
  EXPECT_EQ(model.events, (Lines{"controlChange 0 0 200 10", "controlChange 0 0 74 255"}));
}

TEST(MidiLearn, MapOperationsFollowTheLowestControllerAndClearingKeepsLearning) {
  RecordingModel model;
  EXPECT_EQ(model.ParameterToController(0), 128);  // nothing mapped
  model.RegisterMidiControllerMapping(90, 2);
  model.RegisterMidiControllerMapping(40, 2);
  model.RegisterMidiControllerMapping(0, 0);
  EXPECT_EQ(model.ParameterToController(2), 40);
  EXPECT_EQ(model.ParameterToController(0), 0);
  model.UnregisterMidiControllerMapping(40);
  EXPECT_EQ(model.ParameterToController(2), 90);
  model.StartLearningMidi(1);
  TraceCapture capture;
  model.ClearMidiControllerMap();
  EXPECT_EQ(capture.Lines(), (Lines{"Model::ClearMidiControllerMap\r\n"}));
  EXPECT_FALSE(model.HasMidiControllerMapping(2));
  EXPECT_FALSE(model.IsMidiControllerMapped(0));
  EXPECT_TRUE(model.IsLearningMidi());
}

TEST(MidiAudio, AControlChangeTakesEffectAtExactlyItsFrame) {
  RecordingModel model;  // its Process writes parameter 0's value into every frame
  RecordingLink link;
  model.SetController(&link);
  model.RegisterMidiControllerMapping(7, 0);
  std::vector<float> in(256, 0.0f);
  std::vector<float> left(256, -1.0f);
  std::vector<float> right(256, -1.0f);
  float* inputs[2] = {in.data(), in.data()};
  float* outputs[2] = {left.data(), right.data()};
  model.PushMidiEvent({100, 0xB0, 7, 0});
  model.PushMidiEvent({200, 0xB2, 7, 127});
  model.ProcessBlock(inputs, outputs, 256);
  for (int frame = 0; frame < 256; ++frame) {
    // default 1.0 until frame 99, 0.0 from frame 100, 1.0 again from frame 200
    const float expected = frame < 100 ? 1.0f : (frame < 200 ? 0.0f : 1.0f);
    ASSERT_EQ(left[static_cast<size_t>(frame)], expected) << frame;
    ASSERT_EQ(right[static_cast<size_t>(frame)], expected) << frame;
  }
}

TEST(MidiAudio, QueueingTracesEachMessage) {
  RecordingModel model;
  TraceCapture capture;
  model.PushMidiEvent({0, 0x90, 1, 1});
  model.ProcessBlock(nullptr, nullptr, 0);
  EXPECT_EQ(capture.Lines(), (Lines{"Model::PushMidiEvent\r\n"}));  // ProcessBlock writes none
}
