// What the tool answers a plug-in, and the sample arithmetic its checks rely on.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "tools/audio-buffers/ChannelBuffers.h"
#include "tools/quorvel-host/HostCallback.h"
#include "tools/quorvel-host/TestSignal.h"

namespace QuorvelHost {
namespace {

VstIntPtr Ask(AEffect* effect, VstInt32 opcode, void* ptr = nullptr) {
  return HostCallback::Entry(effect, opcode, 0, 0, ptr, 0.0f);
}

TEST(HostCallbackTest, AnswersTheEffectBeingCreatedBeforeItsRecordIsKnown) {
  HostCallback host;
  host.SetSampleRate(96000.0);
  host.BeginCreation();
  EXPECT_EQ(Ask(nullptr, audioMasterVersion), 2400);
  EXPECT_EQ(Ask(nullptr, audioMasterGetSampleRate), 96000);
  AEffect effect{};
  host.EndCreation(&effect);
  EXPECT_EQ(host.CallCount(audioMasterVersion), 1);
  EXPECT_EQ(Ask(&effect, audioMasterGetSampleRate), 96000);
  EXPECT_EQ(host.CallCount(audioMasterGetSampleRate), 2);
}

TEST(HostCallbackTest, KeepsEachInstanceApartAndForgetsClosedOnes) {
  HostCallback first;
  HostCallback second;
  AEffect a{};
  AEffect b{};
  first.EndCreation(&a);
  second.EndCreation(&b);
  first.SetTransport({90.0}, 0);
  second.SetTransport({140.0}, 0);
  EXPECT_EQ(reinterpret_cast<VstTimeInfo*>(Ask(&a, audioMasterGetTime))->tempo, 90.0);
  EXPECT_EQ(reinterpret_cast<VstTimeInfo*>(Ask(&b, audioMasterGetTime))->tempo, 140.0);
  second.EndCreation(nullptr);
  // A stray call from a closed instance gets only the version.
  EXPECT_EQ(Ask(&b, audioMasterGetTime), 0);
  EXPECT_EQ(Ask(&b, audioMasterVersion), 2400);
}

TEST(HostCallbackTest, NamesItselfWithinTheFieldsAndStatesItsCapabilities) {
  HostCallback host;
  AEffect effect{};
  host.EndCreation(&effect);
  char text[80];
  std::memset(text, 'x', sizeof(text));
  EXPECT_EQ(Ask(&effect, audioMasterGetProductString, text), 1);
  EXPECT_STREQ(text, "quorvel-host");
  char capability[] = "sendVstTimeInfo";
  EXPECT_EQ(Ask(&effect, audioMasterCanDo, capability), 1);
  char unknown[] = "sendVstTimeInfoPlease";
  EXPECT_EQ(Ask(&effect, audioMasterCanDo, unknown), 0);
  EXPECT_EQ(Ask(&effect, audioMasterCanDo, nullptr), 0);
  HostCallback::Entry(&effect, audioMasterAutomate, 5, 0, nullptr, 0.25f);
  EXPECT_EQ(host.LastAutomatedIndex(), 5);
}

TEST(ChannelBuffersTest, NotANumberCountsAsInfinitelyDifferent) {
  ChannelBuffers a(2, 4);
  ChannelBuffers b(2, 4);
  b.Channel(1)[2] = 0.5f;
  EXPECT_EQ(a.LargestDifference(b), 0.5);
  a.Channel(0)[3] = std::numeric_limits<float>::quiet_NaN();
  EXPECT_EQ(a.LargestDifference(b), std::numeric_limits<double>::infinity());
  EXPECT_EQ(a.LargestDifference(ChannelBuffers(2, 5)), std::numeric_limits<double>::infinity());
}

TEST(TestSignalTest, FindsEverySampleAHostMustNotReceive) {
  ChannelBuffers buffers(2, 8);
  buffers.Channel(0)[1] = 1e-40f;  // below the smallest normal float, 1.18e-38
  buffers.Channel(1)[2] = -std::numeric_limits<float>::denorm_min();
  buffers.Channel(1)[3] = std::numeric_limits<float>::infinity();
  buffers.Channel(0)[4] = std::numeric_limits<float>::quiet_NaN();
  buffers.Channel(0)[5] = -0.75f;
  buffers.Channel(0)[6] = std::numeric_limits<float>::min();  // the smallest normal: fine
  TestSignal::Scan scan = TestSignal::Examine(buffers);
  EXPECT_EQ(scan.subnormal, 2);
  EXPECT_EQ(scan.nonFinite, 2);
  EXPECT_EQ(scan.peak, 0.75);
  EXPECT_FALSE(scan.Clean());
}

TEST(TestSignalTest, NoiseIsReproducibleAndWithinItsPeak) {
  ChannelBuffers first(2, 1000);
  ChannelBuffers second(2, 1000);
  TestSignal::Noise(first, 5, 0.5f, 100, 900);
  TestSignal::Noise(second, 5, 0.5f, 100, 900);
  EXPECT_EQ(first.LargestDifference(second), 0.0);
  EXPECT_EQ(first.Channel(0)[99], 0.0f);
  EXPECT_EQ(first.Channel(1)[900], 0.0f);
  TestSignal::Scan scan = TestSignal::Examine(first);
  EXPECT_LE(scan.peak, 0.5);
  EXPECT_GT(scan.peak, 0.45);
  EXPECT_NE(first.Channel(0)[500], first.Channel(1)[500]);  // the channels are not copies
}

}  // namespace
}  // namespace QuorvelHost
