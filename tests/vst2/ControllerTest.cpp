#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "host/vst2/Controller.h"
#include "model/ChunkBuffer.h"
#include "tests/vst2/TestModel.h"
#include "tests/support/RecordingHost.h"
#include "tests/support/TraceCapture.h"

namespace {

using QuorvelTest::RecordingHost;
using QuorvelTest::TestModel;
using QuorvelTest::TraceCapture;
using VstToolkit::Controller;
using Lines = std::vector<std::string>;

struct Instance {
  explicit Instance(audioMasterCallback callback = &RecordingHost::Callback)
      : model(new TestModel),
        controller(new Controller(callback, std::unique_ptr<VstToolkit::Model>(model))),
        record(controller->getAeffect()) {}
  ~Instance() {
    if (record != nullptr) record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f);
  }
  VstIntPtr Dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                     float opt = 0.0f) {
    return record->dispatcher(record, opcode, index, value, ptr, opt);
  }
  TestModel* model;
  Controller* controller;
  AEffect* record;
};

TEST(ControllerHost, ConstructionTracesAndShapesTheRecordFromTheModel) {
  RecordingHost host;
  TraceCapture trace;
  auto* model = new TestModel;
  trace.Clear();
  auto* controller = new Controller(&RecordingHost::Callback, std::unique_ptr<VstToolkit::Model>(model));
  EXPECT_EQ(trace.Lines(),
            (Lines{"Model::GetProgramCount\r\n", "Controller::Controller\r\n", "Model::SetController\r\n",
                   "Model::GetInputCount\r\n", "Model::GetOutputCount\r\n", "Model::GetUniqueId\r\n"}));
  AEffect* record = controller->getAeffect();
  EXPECT_EQ(record->numPrograms, 32);
  EXPECT_EQ(record->numParams, 12);
  EXPECT_EQ(record->numInputs, 2);
  EXPECT_EQ(record->numOutputs, 2);
  EXPECT_EQ(record->uniqueID, 0x51446C79);  // 'Q' 51, 'D' 44, 'l' 6C, 'y' 79
  EXPECT_EQ(record->flags, 0x30);
  EXPECT_EQ(record->version, 1);
  EXPECT_TRUE(host.calls.empty());

  trace.Clear();
  EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f), 1);
  EXPECT_EQ(trace.Lines(), (Lines{"Controller::~Controller", "Model::~Model\r\n"}));
}

TEST(ControllerHost, TextAnswersAreZeroPaddedToTheirFullWidth) {
  RecordingHost host;
  Instance instance;
  char buffer[80];
  const auto expectField = [&](VstInt32 opcode, VstInt32 index, const char* text, size_t width,
                               VstIntPtr answer) {
    std::memset(buffer, 0xCC, sizeof(buffer));
    EXPECT_EQ(instance.Dispatch(opcode, index, 0, buffer), answer) << opcode;
    EXPECT_STREQ(buffer, text) << opcode;
    for (size_t i = std::strlen(text); i < width; ++i) EXPECT_EQ(buffer[i], 0) << opcode << " byte " << i;
    EXPECT_EQ(static_cast<unsigned char>(buffer[width]), 0xCC) << opcode << " wrote past its field";
  };
  expectField(effGetEffectName, 0, "Quorvel Delay", 32, 1);
  expectField(effGetVendorString, 0, "Quorvel Sound Design", 64, 1);
  expectField(effGetProductString, 0, "Quorvel Delay", 64, 1);
  expectField(effGetProgramName, 0, "Blank", 24, 0);
  expectField(effGetParamName, 1, "LDT", 8, 0);
  expectField(effGetParamLabel, 1, "Secs", 8, 0);
  expectField(effGetParamDisplay, 1, "0.25", 8, 0);
  // Outside the parameter range the host gets an empty field, not another array's bytes.
  for (VstInt32 index : {12, -1, 1 << 30}) {
    expectField(effGetParamName, index, "", 8, 0);
    expectField(effGetParamLabel, index, "", 8, 0);
    expectField(effGetParamDisplay, index, "", 8, 0);
  }
  EXPECT_EQ(instance.Dispatch(effGetVendorVersion), 2700);
  EXPECT_EQ(instance.Dispatch(effGetPlugCategory), kPlugCategEffect);
}

TEST(ControllerHost, ProgramNamesAreCutToTwentyThreeCharacters) {
  RecordingHost host;
  Instance instance;
  char longName[] = "abcdefghijklmnopqrstuvwxyz1234";  // 30 characters
  instance.Dispatch(effSetProgramName, 0, 0, longName);
  char name[24];
  instance.Dispatch(effGetProgramName, 0, 0, name);
  EXPECT_STREQ(name, "abcdefghijklmnopqrstuvw");
  instance.Dispatch(effSetProgramName, 0, 0, nullptr);
  instance.Dispatch(effGetProgramName, 0, 0, nullptr);
  instance.Dispatch(effGetProgramName, 0, 0, name);
  EXPECT_STREQ(name, "abcdefghijklmnopqrstuvw");
}

TEST(ControllerHost, CanDoAnswersTheSixCapabilitiesExactly) {
  RecordingHost host;
  Instance instance;
  for (const char* yes : {"receiveVstEvents", "receiveVstMidiEvent", "receiveVstTimeInfo", "sendVstEvents",
                          "sendVstMidiEvent", "supportsViewDpiScaling"}) {
    EXPECT_EQ(instance.Dispatch(effCanDo, 0, 0, const_cast<char*>(yes)), 1) << yes;
  }
  for (const char* no :
       {"", "receivevstmidievent", "ReceiveVstTimeInfo", "bypass", "receiveVstEventsX", "receiveVstEvent"}) {
    EXPECT_EQ(instance.Dispatch(effCanDo, 0, 0, const_cast<char*>(no)), -1) << no;
  }
  EXPECT_EQ(instance.Dispatch(effCanDo, 0, 0, nullptr), -1);
}

TEST(ControllerHost, SetParameterChangesTheModelOnlyAndNeverEchoesToTheHost) {
  RecordingHost host;
  Instance instance;
  TraceCapture trace;
  instance.record->setParameter(instance.record, 11, 0.25f);
  EXPECT_EQ(trace.Lines(), (Lines{"Controller::setParameter", "Model::SetParameterValue\r\n",
                                  "Model::SetFloatParameterDisplay\r\n", "Model::SetParameterDisplay\r\n"}));
  EXPECT_EQ(instance.model->GetParameterValue(11), 0.25f);
  EXPECT_EQ(instance.record->getParameter(instance.record, 11), 0.25f);

  // Out of range: nothing stored anywhere, nothing read from outside the bank.
  instance.record->setParameter(instance.record, 12, 0.5f);
  instance.record->setParameter(instance.record, -1, 0.5f);
  EXPECT_EQ(instance.record->getParameter(instance.record, 12), 0.0f);
  EXPECT_EQ(instance.record->getParameter(instance.record, -7), 0.0f);

  // A NaN is refused; values beyond the range are held at its ends.
  instance.record->setParameter(instance.record, 6, std::nanf(""));
  EXPECT_EQ(instance.model->GetParameterValue(6), 0.5f);
  instance.record->setParameter(instance.record, 6, 1.5f);
  EXPECT_EQ(instance.model->GetParameterValue(6), 1.0f);
  instance.record->setParameter(instance.record, 6, -INFINITY);
  EXPECT_EQ(instance.model->GetParameterValue(6), 0.0f);
  EXPECT_TRUE(host.calls.empty());
}

TEST(ControllerHost, SetProgramSelectsInTheModelAndTheLayer) {
  RecordingHost host;
  Instance instance;
  TraceCapture trace;
  instance.Dispatch(effSetProgram, 0, 5);
  EXPECT_EQ(trace.Lines(), (Lines{"Controller::setProgram\r\n", "Model::SetSelectedProgramIndex\r\n",
                                  "Controller::UpdateViewParameters\r\n"}));
  EXPECT_EQ(instance.Dispatch(effGetProgram), 5);
  EXPECT_EQ(instance.model->GetSelectedProgramIndex(), 5);
  instance.controller->setProgram(32);  // a subclass or a test may call it directly
  instance.controller->setProgram(-3);
  EXPECT_EQ(instance.Dispatch(effGetProgram), 5);
  EXPECT_EQ(instance.model->GetSelectedProgramIndex(), 5);
}

TEST(ControllerHost, SampleRateReachesTheModel) {
  RecordingHost host;
  Instance instance;
  TraceCapture trace;
  instance.Dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
  EXPECT_EQ(trace.Lines(), (Lines{"Controller::setSampleRate\r\n", "Model::SetSampleRate\r\n"}));
  EXPECT_EQ(instance.model->GetSampleRate(), 48000.0f);
  EXPECT_EQ(instance.controller->getSampleRate(), 48000.0f);
  instance.Dispatch(effSetSampleRate, 0, 0, nullptr, -1.0f);
  EXPECT_EQ(instance.model->GetSampleRate(), 48000.0f);
}

TEST(ControllerChunks, GetChunkReusesOneBufferForBothKinds) {
  RecordingHost host;
  Instance instance;
  void* first = nullptr;
  // Program: 164 header + 24 name + 12 x 4 values = 236. Bank: 164 + 32 x 72 + 12 map bytes = 2480.
  EXPECT_EQ(instance.Dispatch(effGetChunk, 1, 0, &first), 236);
  void* second = nullptr;
  EXPECT_EQ(instance.Dispatch(effGetChunk, 1, 0, &second), 236);
  EXPECT_EQ(first, second);
  void* bank = nullptr;
  EXPECT_EQ(instance.Dispatch(effGetChunk, 0, 0, &bank), 2480);
  EXPECT_EQ(std::memcmp(bank, "Quorvel Delay", 14), 0);
  instance.model->RegisterMidiControllerMapping(74, 6);
  void* mapped = nullptr;
  EXPECT_EQ(instance.Dispatch(effGetChunk, 0, 0, &mapped), 2481);
  EXPECT_EQ(instance.Dispatch(effGetChunk, 0, 0, nullptr), 0);
}

TEST(ControllerChunks, SetChunkLoadsCopiesAndRefusesWhatIsNoChunk) {
  RecordingHost host;
  Instance source;
  source.Dispatch(effSetProgram, 0, 3);
  source.record->setParameter(source.record, 2, 0.125f);
  void* data = nullptr;
  const VstIntPtr size = source.Dispatch(effGetChunk, 1, 0, &data);
  std::vector<char> program(static_cast<const char*>(data), static_cast<const char*>(data) + size);

  Instance target;
  EXPECT_EQ(target.Dispatch(effSetChunk, 1, size, program.data()), 1);
  EXPECT_EQ(target.model->GetParameterValue(2), 0.125f);

  std::vector<char> foreign = program;
  foreign[0] = 'X';
  EXPECT_EQ(target.Dispatch(effSetChunk, 1, size, foreign.data()), 0);
  EXPECT_EQ(target.Dispatch(effSetChunk, 1, size, nullptr), 0);
  EXPECT_EQ(target.Dispatch(effSetChunk, 1, 0, program.data()), 0);
  EXPECT_EQ(target.Dispatch(effSetChunk, 1, -236, program.data()), 0);
  EXPECT_EQ(target.Dispatch(effSetChunk, 1, 100, program.data()), 0);  // cut inside the values

  // A claim far beyond any chunk is read only as far as a chunk can reach.
  std::vector<char> padded(Controller::kLargestChunkRead + 4096, 0);
  std::memcpy(padded.data(), program.data(), program.size());
  padded[188 + 2 * 4 + 3] = 0x3F;  // parameter 2 becomes 0x3F000000 = 0.5 (little-endian float)
  padded[188 + 2 * 4 + 2] = 0;
  padded[188 + 2 * 4 + 1] = 0;
  padded[188 + 2 * 4 + 0] = 0;
  EXPECT_EQ(target.Dispatch(effSetChunk, 1, static_cast<VstIntPtr>(padded.size()), padded.data()), 1);
  EXPECT_EQ(target.model->GetParameterValue(2), 0.5f);
}

TEST(ControllerAudio, TimeInfoIsRequestedWithItsMaskAndCheckedBeforeItReachesTheModel) {
  RecordingHost host;
  Instance instance;
  float left[4] = {1, 2, 3, 4}, right[4] = {-1, -2, -3, -4}, outLeft[4] = {}, outRight[4] = {};
  float* inputs[2] = {left, right};
  float* outputs[2] = {outLeft, outRight};

  // No record at all: the transport stays as it was (playing), audio still runs.
  instance.record->processReplacing(instance.record, inputs, outputs, 4);
  ASSERT_EQ(host.CallsOf(audioMasterGetTime).size(), 1u);
  EXPECT_EQ(host.CallsOf(audioMasterGetTime)[0].value, 0x2602);
  EXPECT_TRUE(instance.model->playingChanges.empty());
  EXPECT_EQ(outRight[3], -2.0f);  // -4 x 0.5

  VstTimeInfo info{};
  info.tempo = 90.0;
  info.ppqPos = 8.0;
  info.timeSigNumerator = 3;
  info.timeSigDenominator = 8;
  info.flags = kVstTempoValid | kVstPpqPosValid | kVstTimeSigValid;  // not playing
  host.timeInfo = &info;
  instance.record->processReplacing(instance.record, inputs, outputs, 4);
  EXPECT_EQ(instance.model->playingChanges, std::vector<bool>{false});
  EXPECT_EQ(instance.model->GetTempo(), 90.0);
  EXPECT_EQ(instance.model->GetSongPosition(), 8.0);
  EXPECT_EQ(instance.model->timeSignatureChanges, (std::vector<std::vector<int32_t>>{{3, 8}}));

  // Odd tempi reach the model (the delay bounds what they do); a NaN is no
  // change. Positions and time signatures no host means are dropped.
  for (double tempo : {0.0, -120.0, static_cast<double>(INFINITY), static_cast<double>(NAN)}) {
    info.tempo = tempo;
    info.ppqPos = static_cast<double>(NAN);
    info.timeSigNumerator = 0;
    info.timeSigDenominator = -4;
    instance.record->processReplacing(instance.record, inputs, outputs, 4);
  }
  EXPECT_EQ(instance.model->GetTempo(), static_cast<double>(INFINITY));
  EXPECT_EQ(instance.model->GetSongPosition(), 8.0);
  EXPECT_EQ(instance.model->GetTimeSignatureNumerator(), 3);

  // Tempo flag missing: the tempo field is not read at all.
  info.flags = kVstTransportPlaying;
  info.tempo = 200.0;
  instance.record->processReplacing(instance.record, inputs, outputs, 4);
  EXPECT_EQ(instance.model->GetTempo(), static_cast<double>(INFINITY));
  EXPECT_EQ(instance.model->playingChanges, (std::vector<bool>{false, true}));
}

TEST(ControllerAudio, BlocksWithoutFramesOrBuffersProcessNothing) {
  RecordingHost host;
  Instance instance;
  float samples[4] = {1, 1, 1, 1};
  float* channels[2] = {samples, samples};
  float* halfMissing[2] = {samples, nullptr};
  instance.record->processReplacing(instance.record, channels, channels, 0);
  instance.record->processReplacing(instance.record, channels, channels, -256);
  instance.record->processReplacing(instance.record, nullptr, channels, 4);
  instance.record->processReplacing(instance.record, channels, nullptr, 4);
  instance.record->processReplacing(instance.record, halfMissing, channels, 4);
  instance.record->processReplacing(instance.record, channels, halfMissing, 4);
  EXPECT_TRUE(instance.model->pieces.empty());
  EXPECT_EQ(samples[0], 1.0f);
}

TEST(ControllerAudio, WithoutAHostCallbackAudioStillRuns) {
  Instance instance(nullptr);
  float in[2] = {0.5f, 1.0f}, out[2] = {};
  float* inputs[2] = {in, in};
  float* outputs[2] = {out, out};
  instance.Dispatch(effMainsChanged, 0, 1);
  instance.record->processReplacing(instance.record, inputs, outputs, 2);
  EXPECT_EQ(out[1], 0.5f);
}

TEST(ControllerMidi, OnlyMidiEventsAreQueuedInListOrder) {
  RecordingHost host;
  Instance instance;
  VstMidiEvent first{};
  first.type = kVstMidiType;
  first.byteSize = sizeof(VstMidiEvent) - 8;
  first.deltaFrames = 1;
  first.midiData[0] = static_cast<char>(0xB0);
  first.midiData[1] = 20;
  first.midiData[2] = 64;
  VstMidiEvent second = first;
  second.deltaFrames = 3;
  second.midiData[1] = 21;
  char dump[2] = {static_cast<char>(0xF0), static_cast<char>(0xF7)};
  VstMidiSysexEvent sysex{};
  sysex.type = kVstSysExType;
  sysex.dumpBytes = 2;
  sysex.sysexDump = dump;

  struct {
    VstInt32 numEvents;
    VstIntPtr reserved;
    VstEvent* events[4];
  } list = {4,
            0,
            {reinterpret_cast<VstEvent*>(&sysex), reinterpret_cast<VstEvent*>(&first), nullptr,
             reinterpret_cast<VstEvent*>(&second)}};

  TraceCapture trace;
  EXPECT_EQ(instance.Dispatch(effProcessEvents, 0, 0, &list), 1);
  EXPECT_EQ(trace.Lines(), (Lines{"Model::PushMidiEvent\r\n", "Model::PushMidiEvent\r\n"}));

  float samples[4] = {};
  float* channels[2] = {samples, samples};
  instance.record->processReplacing(instance.record, channels, channels, 4);
  EXPECT_EQ(instance.model->controlChanges, (std::vector<uint8_t>{20, 21}));
  ASSERT_EQ(instance.model->pieces.size(), 3u);
  EXPECT_EQ(instance.model->pieces[1].offset, 1);
  EXPECT_EQ(instance.model->pieces[1].count, 2);

  list.numEvents = -5;
  EXPECT_EQ(instance.Dispatch(effProcessEvents, 0, 0, &list), 1);
  list.numEvents = 0;
  EXPECT_EQ(instance.Dispatch(effProcessEvents, 0, 0, &list), 1);
  EXPECT_EQ(instance.Dispatch(effProcessEvents, 0, 0, nullptr), 0);
  instance.record->processReplacing(instance.record, channels, channels, 4);
  EXPECT_EQ(instance.model->controlChanges.size(), 2u);
}

}  // namespace
