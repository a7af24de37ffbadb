// What strict hosts and validators check of the processor, and the orders of calls hosts use.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tests/vst3/Vst3Fixture.h"

namespace QuorvelTest {
namespace {

namespace Vst = Steinberg::Vst;

Steinberg::uint32 TailWithFeedback(QuorvelHost::HostedVst3& vst3, double feedback) {
  QuorvelHost::Vst3ParameterChanges changes;
  changes.Add(6, 0, feedback);  // Feedback Level: the gain is its square
  vst3.Process(nullptr, nullptr, 0, &changes, nullptr);
  return vst3.Processor()->getTailSamples();
}

// One stereo bus each way and 32-bit samples, nothing else; no latency; the tail from the
// feedback: the longer delay (1 s by default) times the echoes above -90 dBFS, for
// gain g = 0.25 the k + 1 = 8 with k = floor(ln(10^-4.5) / ln 0.25) = floor(7.47); infinite
// at full feedback.
TEST(Vst3Processor, StereoThirtyTwoBitNoLatencyAndATailFromTheFeedback) {
  auto vst3 = StartVst3();
  Vst::IAudioProcessor* processor = vst3->Processor();
  Vst::SpeakerArrangement stereo = Vst::SpeakerArr::kStereo;
  Vst::SpeakerArrangement mono = Vst::SpeakerArr::kMono;
  Vst::SpeakerArrangement two[2] = {stereo, stereo};
  EXPECT_EQ(processor->setBusArrangements(&stereo, 1, &stereo, 1), Steinberg::kResultTrue);
  EXPECT_EQ(processor->setBusArrangements(&mono, 1, &mono, 1), Steinberg::kResultFalse);
  EXPECT_EQ(processor->setBusArrangements(two, 2, &stereo, 1), Steinberg::kResultFalse);
  EXPECT_EQ(processor->canProcessSampleSize(Vst::kSample32), Steinberg::kResultTrue);
  EXPECT_EQ(processor->canProcessSampleSize(Vst::kSample64), Steinberg::kResultFalse);
  EXPECT_EQ(processor->getLatencySamples(), 0u);
  EXPECT_EQ(vst3->Component()->getBusCount(Vst::kAudio, Vst::kInput), 1);
  EXPECT_EQ(vst3->Component()->getBusCount(Vst::kEvent, Vst::kInput), 1);
  EXPECT_EQ(vst3->Component()->getBusCount(Vst::kEvent, Vst::kOutput), 0);

  EXPECT_EQ(TailWithFeedback(*vst3, 0.0), 44100u);
  EXPECT_EQ(TailWithFeedback(*vst3, 0.5), 8u * 44100u);
  EXPECT_EQ(TailWithFeedback(*vst3, 1.0), Vst::kInfiniteTail);

  auto* requirements = QuorvelHost::QueryOf<Vst::IProcessContextRequirements>(vst3->Component());
  ASSERT_NE(requirements, nullptr);
  EXPECT_EQ(requirements->getProcessContextRequirements(),
            static_cast<Steinberg::uint32>(Vst::IProcessContextRequirements::kNeedTempo |
                                           Vst::IProcessContextRequirements::kNeedTimeSignature |
                                           Vst::IProcessContextRequirements::kNeedProjectTimeMusic |
                                           Vst::IProcessContextRequirements::kNeedTransportState));
  requirements->release();
}

// The orders hosts use: activating twice (Live), setting up while active, processing
// before setProcessing, and releasing while active and processing without terminate
// (Renoise). Each instance still processes, and the sanitizers see no fault.
TEST(Vst3Processor, SurvivesTheCallOrdersHostsUse) {
  StereoBlock input(64);
  StereoBlock output(64);
  Vst::ProcessSetup setup{Vst::kRealtime, Vst::kSample32, 512, 48000.0};
  {
    auto vst3 = StartVst3();
    EXPECT_EQ(vst3->Component()->setActive(1), Steinberg::kResultOk);
    EXPECT_EQ(vst3->Component()->setActive(1), Steinberg::kResultOk);
    EXPECT_EQ(vst3->Process(input.Channels(), output.Channels(), 64, nullptr, nullptr), Steinberg::kResultOk);
    vst3->Processor()->setProcessing(0);
    EXPECT_EQ(vst3->Processor()->setupProcessing(setup), Steinberg::kResultOk);
    EXPECT_EQ(vst3->Process(input.Channels(), output.Channels(), 64, nullptr, nullptr), Steinberg::kResultOk);
  }
  Steinberg::PClassInfo info{};
  ASSERT_TRUE(Bundle().FindAudioClass(info));
  void* made = nullptr;
  ASSERT_EQ(Bundle().Factory()->createInstance(info.cid, Vst::IComponent::iid.toTUID(), &made), Steinberg::kResultOk);
  auto* component = static_cast<Vst::IComponent*>(made);
  QuorvelHost::Vst3HostContext host;
  ASSERT_EQ(component->initialize(static_cast<Vst::IHostApplication*>(&host)), Steinberg::kResultOk);
  void* found = nullptr;
  ASSERT_EQ(component->queryInterface(Vst::IAudioProcessor::iid.toTUID(), &found), Steinberg::kResultOk);
  auto* processor = static_cast<Vst::IAudioProcessor*>(found);
  Vst::AudioBusBuffers in{};
  in.numChannels = 2;
  in.channelBuffers32 = input.Channels();
  Vst::AudioBusBuffers out{};
  out.numChannels = 2;
  out.channelBuffers32 = output.Channels();
  Vst::ProcessData data{};
  data.numSamples = 64;
  data.numInputs = 1;
  data.numOutputs = 1;
  data.inputs = &in;
  data.outputs = &out;
  EXPECT_EQ(processor->process(data), Steinberg::kResultOk);  // before any set-up
  processor->setupProcessing(setup);
  component->setActive(1);
  processor->setProcessing(1);
  EXPECT_EQ(processor->process(data), Steinberg::kResultOk);
  processor->release();
  EXPECT_EQ(component->release(), 0u);  // no deactivation, no terminate
}

// Clicks at feedback 0.5, then a host's pause (processing and activation off, then on, as
// hosts do when a project stops its engine) and silence: the old echoes never come back,
// the output bit for bit that of a transport stop instead of the pause, where an
// instance with neither rings on (its echoes peak above 0.4).
TEST(Vst3Processor, ReactivationDropsTheEchoesAsATransportStopDoes) {
  auto paused = StartVst3();
  auto stopped = StartVst3();
  auto running = StartVst3();
  QuorvelHost::HostedVst3* all[] = {paused.get(), stopped.get(), running.get()};
  StereoBlock clicks(4096);
  for (int32_t i = 0; i < 4096; i += 1024) {
    clicks.left[static_cast<size_t>(i)] = 1.0f;
    clicks.right[static_cast<size_t>(i)] = 1.0f;
  }
  Vst::ProcessContext playing{};
  playing.state = Vst::ProcessContext::kPlaying;
  for (auto* vst3 : all) {
    QuorvelHost::Vst3ParameterChanges changes;
    changes.Add(6, 0, 0.5);  // Feedback Level
    vst3->Process(nullptr, nullptr, 0, &changes, &playing);
    StereoBlock in = clicks;
    StereoBlock out(4096);
    vst3->Process(in.Channels(), out.Channels(), 4096, nullptr, &playing);
  }
  std::string error;
  paused->Deactivate();
  ASSERT_TRUE(paused->Activate(44100.0, 4096, error)) << error;
  Vst::ProcessContext halted{};
  stopped->Process(nullptr, nullptr, 0, nullptr, &halted);

  float peaks[3] = {};
  for (int block = 0; block < 24; ++block) {
    StereoBlock outs[3] = {StereoBlock(4096), StereoBlock(4096), StereoBlock(4096)};
    for (int n = 0; n < 3; ++n) {
      StereoBlock silence(4096);
      all[n]->Process(silence.Channels(), outs[n].Channels(), 4096, nullptr, &playing);
      for (float sample : outs[n].left) {
        peaks[n] = std::max(peaks[n], std::fabs(sample));
      }
    }
    ASSERT_TRUE(outs[0] == outs[1]) << "block " << block;
  }
  EXPECT_LT(peaks[0], 1e-6f);
  EXPECT_GT(peaks[2], 0.3f);
}

}  // namespace
}  // namespace QuorvelTest
