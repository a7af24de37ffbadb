// The tool against in-process plug-ins: records that must be refused, the
// host's time information, and MIDI delivery by the block runner.
#include <gtest/gtest.h>

#include <vector>

#include "tools/quorvel-host/BlockRunner.h"
#include "tools/quorvel-host/HostedVst2.h"

namespace QuorvelHost {
namespace {

struct Recorded {
  std::vector<int32_t> blockFrames;
  std::vector<std::pair<size_t, int32_t>> eventDeltas;  // block number, delta
  VstTimeInfo lastTime{};
  audioMasterCallback host = nullptr;
};
Recorded recorded;
AEffect fake{};

VstIntPtr VSTCALLBACK FakeDispatch(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr, void* ptr, float) {
  if (opcode == effProcessEvents) {
    const auto* events = static_cast<const VstEvents*>(ptr);
    for (VstInt32 i = 0; i < events->numEvents; ++i) {
      recorded.eventDeltas.emplace_back(recorded.blockFrames.size(), events->events[i]->deltaFrames);
    }
  }
  if (opcode == effGetParamName) {
    const char* names[] = {"FB", "Mix", "Mix"};
    std::snprintf(static_cast<char*>(ptr), 8, "%s", names[index]);
  }
  return 0;
}
void VSTCALLBACK FakeProcess(AEffect* effect, float**, float**, VstInt32 frames) {
  recorded.blockFrames.push_back(frames);
  auto* time = reinterpret_cast<VstTimeInfo*>(recorded.host(effect, audioMasterGetTime, 0, 0, nullptr, 0.0f));
  if (time != nullptr) {
    recorded.lastTime = *time;
  }
}
void VSTCALLBACK FakeSetParameter(AEffect*, VstInt32, float) {}
float VSTCALLBACK FakeGetParameter(AEffect*, VstInt32) {
  return 0.0f;
}

AEffect* GoodEntry(audioMasterCallback host) {
  recorded = Recorded{};
  recorded.host = host;
  fake = AEffect{};
  fake.magic = kEffectMagic;
  fake.dispatcher = FakeDispatch;
  fake.setParameter = FakeSetParameter;
  fake.getParameter = FakeGetParameter;
  fake.processReplacing = FakeProcess;
  fake.numInputs = 2;
  fake.numOutputs = 2;
  fake.numParams = 3;
  return &fake;
}
AEffect* NullEntry(audioMasterCallback) {
  return nullptr;
}
AEffect* BadMagicEntry(audioMasterCallback host) {
  GoodEntry(host);
  fake.magic = 0x12345678;
  return &fake;
}
AEffect* NoDispatcherEntry(audioMasterCallback host) {
  GoodEntry(host);
  fake.dispatcher = nullptr;
  return &fake;
}
AEffect* AbsurdChannelsEntry(audioMasterCallback host) {
  GoodEntry(host);
  fake.numOutputs = 1000000;
  return &fake;
}
AEffect* NegativeParametersEntry(audioMasterCallback host) {
  GoodEntry(host);
  fake.numParams = -4;
  return &fake;
}

TEST(HostedVst2Test, RefusesRecordsNoHostCouldUse) {
  struct Case {
    VstPluginMainProc entry;
    const char* reason;
  };
  const Case cases[] = {{NullEntry, "made no plug-in instance"},
                        {BadMagicEntry, "wrong magic number"},
                        {NoDispatcherEntry, "has no dispatcher"},
                        {AbsurdChannelsEntry, "2 inputs and 1000000 outputs"},
                        {NegativeParametersEntry, "-4 parameters"}};
  for (const Case& c : cases) {
    std::string error;
    EXPECT_EQ(HostedVst2::Create(c.entry, "fake", error), nullptr);
    EXPECT_NE(error.find(c.reason), std::string::npos) << error;
  }
}

TEST(HostedVst2Test, CallsOutsideTheReportedRangeNeverReachThePlugin) {
  std::string error;
  auto plugin = HostedVst2::Create(GoodEntry, "fake", error);
  ASSERT_NE(plugin, nullptr) << error;
  fake.setParameter = nullptr;  // would crash if called
  fake.getParameter = nullptr;
  plugin->SetValue(3, 1.0f);
  plugin->SetValue(-1, 1.0f);
  EXPECT_EQ(plugin->GetParameter(7), 0.0f);
  fake.setParameter = FakeSetParameter;
  fake.getParameter = FakeGetParameter;
}

TEST(HostedVst2Test, BlockRunnerDeliversMidiInTheBlockOfItsFrame) {
  std::string error;
  auto plugin = HostedVst2::Create(GoodEntry, "fake", error);
  ASSERT_NE(plugin, nullptr);
  ChannelBuffers input(2, 1100);
  ChannelBuffers output(2, 1100);
  BlockRunner runner(*plugin, 512);
  runner.SetMidi({{100, 0xB0, 7, 0}, {600, 0xB0, 7, 1}, {1099, 0x90, 60, 100}});
  runner.Run(input, output);
  // 1100 frames in blocks of 512: 512, 512, 76; frame 600 is 88 into block 1, 1099 is 75 into block 2.
  EXPECT_EQ(recorded.blockFrames, (std::vector<int32_t>{512, 512, 76}));
  std::vector<std::pair<size_t, int32_t>> expected = {{0, 100}, {1, 88}, {2, 75}};
  EXPECT_EQ(recorded.eventDeltas, expected);
}

TEST(HostedVst2Test, TimeInformationFollowsTheSongPosition) {
  std::string error;
  auto plugin = HostedVst2::Create(GoodEntry, "fake", error);
  ASSERT_NE(plugin, nullptr);
  plugin->SetSampleRate(48000.0);
  ChannelBuffers buffers(2, 48000 * 3);
  BlockRunner runner(*plugin, 48000);
  runner.Transport() = {90.0, true, 4.0, 3, 4};
  runner.Run(buffers, buffers);
  // The last block starts at 2 s: 2 s at 90 bpm is 3 quarter notes after quarter 4; bars of 3 start at 6.
  EXPECT_EQ(recorded.lastTime.samplePos, 96000.0);
  EXPECT_EQ(recorded.lastTime.ppqPos, 7.0);
  EXPECT_EQ(recorded.lastTime.barStartPos, 6.0);
  EXPECT_EQ(recorded.lastTime.tempo, 90.0);
  EXPECT_EQ(recorded.lastTime.timeSigNumerator, 3);
  EXPECT_NE(recorded.lastTime.flags & kVstTransportPlaying, 0);

  runner.Transport().playing = false;
  runner.Run(buffers, buffers);
  EXPECT_EQ(recorded.lastTime.flags & kVstTransportPlaying, 0);
  plugin->Host().SetTimeInfoAvailable(false);
  recorded.lastTime = VstTimeInfo{};
  runner.Run(buffers, buffers);
  EXPECT_EQ(recorded.lastTime.tempo, 0.0);  // the plug-in got a null record
}

TEST(HostedVst2Test, ParametersAreFoundByIndexAndUniqueName) {
  std::string error;
  auto plugin = HostedVst2::Create(GoodEntry, "fake", error);
  ASSERT_NE(plugin, nullptr);
  const std::vector<HostedParameter>& parameters = plugin->Parameters();
  int32_t index = -1;
  float value = -1.0f;
  EXPECT_TRUE(HostedParameter::ParseSetting(parameters, "fb=0.6", index, value, error));
  EXPECT_EQ(index, 0);
  EXPECT_EQ(value, 0.6f);
  EXPECT_TRUE(HostedParameter::ParseSetting(parameters, "2=1", index, value, error));
  EXPECT_EQ(index, 2);
  EXPECT_FALSE(HostedParameter::ParseSetting(parameters, "Mix=0.5", index, value, error));
  EXPECT_NE(error.find("ambiguous"), std::string::npos);
  EXPECT_FALSE(HostedParameter::ParseSetting(parameters, "Drive=0.5", index, value, error));
  EXPECT_NE(error.find("unknown parameter 'Drive'"), std::string::npos);
  EXPECT_FALSE(HostedParameter::ParseSetting(parameters, "3=0.5", index, value, error));
  EXPECT_FALSE(HostedParameter::ParseSetting(parameters, "FB=1.01", index, value, error));
  EXPECT_NE(error.find("not a number from 0 to 1"), std::string::npos);
  EXPECT_FALSE(HostedParameter::ParseSetting(parameters, "FB", index, value, error));
}

}  // namespace
}  // namespace QuorvelHost
