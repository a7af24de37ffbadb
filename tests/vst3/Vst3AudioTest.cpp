// The bundle's sound against the VST2 module's, bit for bit, for the same host activity.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "tests/vst3/Vst3Fixture.h"

namespace QuorvelTest {
namespace {

namespace Vst = Steinberg::Vst;

// The same host driving a VST2 and a VST3 instance: parameters at a block's start as VST2's
// setParameter and as VST3 changes at offset 0, controllers at offset k as VST2 MIDI
// events and as VST3 changes of the controllers' hidden parameters, time as VST2's time
// information and as VST3's process context.
class TwinHosts {
 public:
  explicit TwinHosts(double rate) : rate_(rate), vst2_(StartVst2(rate)), vst3_(StartVst3(rate)) {}

  QuorvelHost::HostedVst2& Vst2() { return *vst2_; }
  QuorvelHost::HostedVst3& Vst3() { return *vst3_; }
  QuorvelHost::Vst3ParameterChanges& Changes() { return changes_; }

  void SetParameter(int32_t index, float value) {
    vst2_->SetValue(index, value);
    changes_.Add(static_cast<Vst::ParamID>(index), 0, value);
  }
  void SetProgram(int32_t program) {
    vst2_->SetProgram(program);
    changes_.Add(kProgramId, 0, program / 31.0);
  }
  void Controller(int32_t offset, int channel, int controller, int value) {
    vst2_->QueueMidi(offset, static_cast<uint8_t>(0xB0 | channel), static_cast<uint8_t>(controller),
                     static_cast<uint8_t>(value));
    changes_.Add(ControllerId(channel, controller), offset, value / 127.0);
  }
  void SetTransport(double tempo, bool playing) {
    tempo_ = tempo;
    playing_ = playing;
  }

  // One block of `input` through both; true when the outputs are the same bits.
  bool Process(StereoBlock& input, int32_t frames) {
    StereoBlock out2(frames);
    StereoBlock out3(frames);
    StereoBlock in2 = input;
    StereoBlock in3 = input;
    vst2_->DeliverEvents();
    vst2_->Process(in2.Channels(), out2.Channels(), frames, {tempo_, playing_}, position_);
    Vst::ProcessContext context{};
    context.state = Vst::ProcessContext::kTempoValid | Vst::ProcessContext::kProjectTimeMusicValid |
                    Vst::ProcessContext::kTimeSigValid | (playing_ ? uint32_t{Vst::ProcessContext::kPlaying} : 0u);
    context.sampleRate = rate_;
    context.projectTimeSamples = position_;
    context.projectTimeMusic = static_cast<double>(position_) / rate_ * tempo_ / 60.0;
    context.tempo = tempo_;
    context.timeSigNumerator = 4;
    context.timeSigDenominator = 4;
    EXPECT_EQ(vst3_->Process(in3.Channels(), out3.Channels(), frames, &changes_, &context), Steinberg::kResultOk);
    changes_.Clear();
    position_ += frames;
    return out2 == out3;
  }

 private:
  double rate_;
  std::unique_ptr<QuorvelHost::HostedVst2> vst2_;
  std::unique_ptr<QuorvelHost::HostedVst3> vst3_;
  QuorvelHost::Vst3ParameterChanges changes_;
  double tempo_ = 120.0;
  bool playing_ = true;
  int64_t position_ = 0;
};

// Seeded runs of everything a host does while it plays: blocks of any size, parameter
// changes (switch edges included), programs, learned and unlearned controllers at any
// offset, tempo and transport, at three sample rates, from a bank with two learned
// controllers.
TEST(Vst3Audio, RandomHostActivitySoundsBitForBitAsTheVst2Module) {
  for (uint32_t seed = 1; seed <= 6; ++seed) {
    std::mt19937 random(seed);
    const double rates[] = {44100.0, 48000.0, 96000.0};
    TwinHosts hosts(rates[seed % 3]);
    const std::vector<uint8_t> bank = LearnedVst2Bank();
    ASSERT_TRUE(hosts.Vst2().SetState(bank, false));
    ASSERT_TRUE(hosts.Vst3().LoadState(bank));
    const float edges[] = {0.0f, 0.49999997f, 0.5f, 1.0f};
    for (int block = 0; block < 300; ++block) {
      const int32_t frames = std::uniform_int_distribution<int32_t>(1, 700)(random);
      if (random() % 8 == 0) {
        hosts.SetProgram(static_cast<int32_t>(random() % 32));
      }
      // One value per parameter and block: of several at one offset only the last counts,
      // where VST2 would hear every one.
      const auto first = static_cast<uint32_t>(random() % 12);
      for (uint32_t n = random() % 4; n > 0; --n) {
        const auto index = static_cast<int32_t>((first + n) % 12);
        const float value = random() % 3 == 0 ? edges[random() % 4] : std::generate_canonical<float, 24>(random);
        hosts.SetParameter(index, value);
      }
      std::vector<int32_t> offsets;
      for (uint32_t n = random() % 4; n > 0; --n) {
        offsets.push_back(static_cast<int32_t>(random() % static_cast<uint32_t>(frames)));
      }
      std::sort(offsets.begin(), offsets.end());
      offsets.erase(std::unique(offsets.begin(), offsets.end()), offsets.end());
      for (int32_t offset : offsets) {
        const int controllers[] = {74, 21, 7};
        hosts.Controller(offset, static_cast<int>(random() % 16), controllers[random() % 3],
                         static_cast<int>(random() % 128));
      }
      if (random() % 16 == 0) {
        hosts.SetTransport(60.0 + static_cast<double>(random() % 120), random() % 4 != 0);
      }
      StereoBlock input(frames);
      input.FillWithNoise(random);
      ASSERT_TRUE(hosts.Process(input, frames)) << "seed " << seed << ", block " << block;
    }
  }
}

// A change at frame k acts there: the same as a VST2 host's two calls around setParameter.
// Of several values at one offset the last counts; a flush (no samples, no buffers)
// applies its changes all the same.
TEST(Vst3Audio, ChangesInsideTheBlockActAtTheirFrame) {
  auto vst2 = StartVst2();
  auto vst3 = StartVst3();
  std::mt19937 random(7);
  StereoBlock input(512);
  input.FillWithNoise(random);
  StereoBlock out2(512);
  StereoBlock out3(512);
  QuorvelHost::Vst3ParameterChanges changes;

  vst2->SetValue(6, 0.8f);  // Feedback Level
  changes.Add(6, 0, 0.8);
  vst3->Process(nullptr, nullptr, 0, &changes, nullptr);
  changes.Clear();

  StereoBlock in2 = input;
  vst2->Process(in2.Channels(), out2.Channels(), 200, {}, 0);
  vst2->SetValue(1, 0.3f);  // Left Delay
  float* rest2[2] = {out2.left.data() + 200, out2.right.data() + 200};
  float* restIn2[2] = {in2.left.data() + 200, in2.right.data() + 200};
  vst2->Process(restIn2, rest2, 312, {}, 0);

  changes.Add(1, 200, 0.9);
  changes.Add(1, 200, 0.3);
  StereoBlock in3 = input;
  vst3->Process(in3.Channels(), out3.Channels(), 512, &changes, nullptr);
  EXPECT_TRUE(out2 == out3);
  EXPECT_EQ(vst3->Controller()->getParamNormalized(1), 0.3f);
}

}  // namespace
}  // namespace QuorvelTest
