// The CLAP module's sound against the VST2 module's, bit for bit, for the same host activity.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "tests/clap/ClapFixture.h"

namespace QuorvelTest {
namespace {

// The same host driving a VST2 and a CLAP instance. A parameter change at frame k is a
// CLAP event at time k, and for VST2 the block cut at k with setParameter between the
// pieces; a controller at frame k is a MIDI event at k in both; time is VST2's time
// information and CLAP's transport, both at the block's start.
class TwinHosts {
 public:
  explicit TwinHosts(double rate) : rate_(rate), vst2_(StartVst2(rate)), clap_(StartClap(rate)) {}

  QuorvelHost::HostedVst2& Vst2() { return *vst2_; }
  QuorvelHost::HostedClap& Clap() { return *clap_; }

  void SetParameter(int32_t frame, int32_t index, float value) { changes_.push_back({frame, index, value, 0, 0, 0}); }
  void Controller(int32_t frame, int channel, int controller, int value) {
    changes_.push_back({frame, -1, 0.0f, static_cast<uint8_t>(0xB0 | channel), static_cast<uint8_t>(controller),
                        static_cast<uint8_t>(value)});
  }
  void SetTransport(double tempo, bool playing) {
    tempo_ = tempo;
    playing_ = playing;
  }

  // One block of `input` through both (CLAP in place when asked); true when the outputs
  // are the same bits.
  bool Process(const StereoBlock& input, int32_t frames, bool inPlace) {
    std::stable_sort(changes_.begin(), changes_.end(),
                     [](const Change& a, const Change& b) { return a.frame < b.frame; });
    StereoBlock out2(frames);
    StereoBlock in2 = input;
    size_t next = 0;
    for (int32_t start = 0; start < frames;) {
      for (; next < changes_.size() && changes_[next].frame <= start && changes_[next].index >= 0; ++next) {
        vst2_->SetValue(changes_[next].index, changes_[next].value);
      }
      int32_t end = frames;
      for (size_t i = next; i < changes_.size(); ++i) {
        if (changes_[i].index >= 0) {
          end = changes_[i].frame;
          break;
        }
        vst2_->QueueMidi(changes_[i].frame - start, changes_[i].status, changes_[i].data1, changes_[i].data2);
        next = i + 1;
      }
      vst2_->DeliverEvents();
      float** in = in2.Channels(start);
      float* inPieces[2] = {in[0], in[1]};
      vst2_->Process(inPieces, out2.Channels(start), end - start, {tempo_, playing_}, position_);
      start = end;
    }

    QuorvelHost::ClapEventList events;
    for (const Change& change : changes_) {
      if (change.index >= 0) {
        // The host's value of what a VST2 host sets: a choice's number for switches and
        // selectors.
        const auto id = static_cast<clap_id>(change.index);
        events.AddParameter(static_cast<uint32_t>(change.frame), id, clap_->PlainOf(id, change.value));
      } else {
        events.AddMidi(static_cast<uint32_t>(change.frame), change.status, change.data1, change.data2);
      }
    }
    clap_event_transport_t transport{};
    transport.flags = CLAP_TRANSPORT_HAS_TEMPO | CLAP_TRANSPORT_HAS_BEATS_TIMELINE | CLAP_TRANSPORT_HAS_TIME_SIGNATURE |
                      (playing_ ? uint32_t{CLAP_TRANSPORT_IS_PLAYING} : 0u);
    const double quarters = static_cast<double>(position_) / rate_ * tempo_ / 60.0;
    transport.song_pos_beats = std::llround(quarters * static_cast<double>(CLAP_BEATTIME_FACTOR));
    transport.tempo = tempo_;
    transport.tsig_num = 4;
    transport.tsig_denom = 4;
    StereoBlock in3 = input;
    StereoBlock out3(frames);
    float** outputs = inPlace ? in3.Channels() : out3.Channels();
    clap_->OutputEvents().Clear();
    EXPECT_EQ(clap_->Process(in3.Channels(), outputs, frames, &events, &transport), CLAP_PROCESS_CONTINUE);
    changes_.clear();
    position_ += frames;
    return out2 == (inPlace ? in3 : out3);
  }

 private:
  struct Change {
    int32_t frame;
    int32_t index;  // -1: a controller
    float value;
    uint8_t status, data1, data2;
  };
  double rate_;
  std::unique_ptr<QuorvelHost::HostedVst2> vst2_;
  std::unique_ptr<QuorvelHost::HostedClap> clap_;
  std::vector<Change> changes_;
  double tempo_ = 120.0;
  bool playing_ = true;
  int64_t position_ = 0;
};

// Seeded runs of everything a host does while it plays: blocks of any size, parameter
// changes at any frame (switch edges included), learned and unlearned controllers at any
// frame, tempo and transport, at three sample rates, from a bank with two learned
// controllers, processed apart and in place.
TEST(ClapAudio, RandomHostActivitySoundsBitForBitAsTheVst2Module) {
  for (uint32_t seed = 1; seed <= 6; ++seed) {
    std::mt19937 random(seed);
    const double rates[] = {44100.0, 48000.0, 96000.0};
    TwinHosts hosts(rates[seed % 3]);
    const std::vector<uint8_t> bank = LearnedVst2Bank();
    ASSERT_TRUE(hosts.Vst2().SetState(bank, false));
    ASSERT_TRUE(hosts.Clap().SetState(bank, false));
    const float edges[] = {0.0f, 0.49999997f, 0.5f, 1.0f};
    for (int block = 0; block < 300; ++block) {
      const int32_t frames = std::uniform_int_distribution<int32_t>(1, 700)(random);
      // One value per parameter and block: of several at one frame only the last counts,
      // where VST2 would hear every one.
      const auto first = static_cast<uint32_t>(random() % 12);
      for (uint32_t n = random() % 4; n > 0; --n) {
        const auto index = static_cast<int32_t>((first + n) % 12);
        const float value = random() % 3 == 0 ? edges[random() % 4] : std::generate_canonical<float, 24>(random);
        const auto frame = random() % 2 == 0 ? 0 : static_cast<int32_t>(random() % static_cast<uint32_t>(frames));
        hosts.SetParameter(frame, index, value);
      }
      for (uint32_t n = random() % 4; n > 0; --n) {
        const int controllers[] = {74, 21, 7};
        hosts.Controller(static_cast<int32_t>(random() % static_cast<uint32_t>(frames)),
                         static_cast<int>(random() % 16), controllers[random() % 3], static_cast<int>(random() % 128));
      }
      if (random() % 16 == 0) {
        hosts.SetTransport(60.0 + static_cast<double>(random() % 120), random() % 4 != 0);
      }
      StereoBlock input(frames);
      input.FillWithNoise(random);
      ASSERT_TRUE(hosts.Process(input, frames, seed % 2 == 0)) << "seed " << seed << ", block " << block;
    }
  }
}

// Of several values at one frame the last counts; a process of no frames applies its
// changes, and so does params.flush; a change past the block's end acts at the next
// block's start; events out of order still all count.
TEST(ClapAudio, ChangesActAtTheirFrameTheLastOfSeveralCounting) {
  auto vst2 = StartVst2();
  auto clap = StartClap();
  std::mt19937 random(7);
  StereoBlock input(512);
  input.FillWithNoise(random);
  StereoBlock out2(512);
  StereoBlock out3(512);
  QuorvelHost::ClapEventList events;

  vst2->SetValue(6, 0.8f);  // Feedback Level
  vst2->SetValue(9, 1.0f);  // Filter Type: High
  events.AddParameter(0, 6, 0.8);
  clap->Process(nullptr, nullptr, 0, &events, nullptr);
  events.Clear();
  events.AddParameter(0, 9, 1.0);
  clap->Flush(&events);
  EXPECT_EQ(clap->ParameterValue(9), 1.0);
  events.Clear();

  StereoBlock in2 = input;
  vst2->Process(in2.Channels(), out2.Channels(), 200, {}, 0);
  vst2->SetValue(1, 0.3f);  // Left Delay
  vst2->Process(in2.Channels(200), out2.Channels(200), 312, {}, 0);
  vst2->SetValue(2, 0.6f);  // Right Delay
  StereoBlock next2(512);
  vst2->Process(in2.Channels(), next2.Channels(), 512, {}, 0);

  events.AddParameter(200, 1, 0.9);
  events.AddParameter(200, 1, 0.3);
  events.AddParameter(512, 2, 0.6);
  StereoBlock in3 = input;
  clap->Process(in3.Channels(), out3.Channels(), 512, &events, nullptr);
  EXPECT_EQ(clap->ParameterValue(1), static_cast<double>(0.3f));
  StereoBlock next3(512);
  clap->Process(in3.Channels(), next3.Channels(), 512, nullptr, nullptr);
  EXPECT_TRUE(out2 == out3);
  EXPECT_TRUE(next2 == next3);

  // A host's events out of order: one lying before the place reached counts there.
  events.Clear();
  events.AddMidi(200, 0xB0, 7, 1);
  events.AddParameter(0, 5, 3.0);
  events.AddParameter(300, 3, 1.0);
  events.AddParameter(100, 4, 1.0);
  clap->Process(in3.Channels(), next3.Channels(), 512, &events, nullptr);
  EXPECT_EQ(clap->ParameterValue(3), 1.0);
  EXPECT_EQ(clap->ParameterValue(4), 1.0);
  EXPECT_EQ(clap->ParameterValue(5), 3.0);
}

// reset, and deactivate then activate, silence the echoes in flight as a transport stop
// does, and only them.
TEST(ClapAudio, ResetAndReactivationClearTheLinesAsATransportStop) {
  std::mt19937 random(11);
  StereoBlock noise(4096);
  noise.FillWithNoise(random);
  clap_event_transport_t stopped{};
  clap_event_transport_t playing{};
  playing.flags = CLAP_TRANSPORT_IS_PLAYING;
  std::vector<float> tails[4];
  for (int way = 0; way < 4; ++way) {
    auto clap = StartClap();
    StereoBlock in = noise;
    StereoBlock out(4096);
    QuorvelHost::ClapEventList shortDelays;
    shortDelays.AddParameter(0, 1, 0.05);  // Left Delay
    shortDelays.AddParameter(0, 2, 0.05);  // Right Delay
    shortDelays.AddParameter(0, 6, 0.5);   // Feedback Level
    clap->Process(in.Channels(), out.Channels(), 4096, &shortDelays, &playing);
    if (way == 1) {
      QuorvelHost::ClapHost::AudioCall audio;  // reset belongs to the audio thread
      clap->Plugin().reset(&clap->Plugin());
    } else if (way == 2) {
      clap->Process(nullptr, nullptr, 0, nullptr, &stopped);
    } else if (way == 3) {
      std::string error;
      clap->Deactivate();
      ASSERT_TRUE(clap->Activate(44100.0, 4096, error)) << error;
    }
    StereoBlock silence(4096);
    clap->Process(silence.Channels(), out.Channels(), 4096, nullptr, &playing);
    tails[way] = out.left;
  }
  EXPECT_EQ(tails[1], tails[2]);
  EXPECT_EQ(tails[3], tails[2]);
  EXPECT_NE(tails[0], tails[1]);
}

// The host's bypass is Enabled inverted: bypassed at frame k sounds exactly as Enabled
// switched off there, the host hears Enabled follow (and the bypass follow Enabled), and
// the state holds Enabled alone.
TEST(ClapAudio, BypassIsEnabledSeenTheOtherWayRound) {
  auto vst2 = StartVst2();
  auto clap = StartClap();
  const clap_plugin_params_t& params = *clap->Params();
  ASSERT_EQ(params.count(&clap->Plugin()), 13u);
  clap_param_info_t info{};
  ASSERT_TRUE(params.get_info(&clap->Plugin(), 12, &info));
  const clap_id bypass = info.id;
  EXPECT_GE(bypass, 12u);
  const uint32_t flags = CLAP_PARAM_IS_BYPASS | CLAP_PARAM_IS_STEPPED;
  EXPECT_EQ(info.flags & flags, flags);
  EXPECT_EQ(info.default_value, 0.0);

  std::mt19937 random(5);
  StereoBlock input(512);
  input.FillWithNoise(random);
  StereoBlock in2 = input;
  StereoBlock out2(512);
  vst2->SetValue(6, 0.7f);  // Feedback Level
  vst2->Process(in2.Channels(), out2.Channels(), 200, {}, 0);
  vst2->SetValue(0, 0.0f);
  vst2->Process(in2.Channels(200), out2.Channels(200), 312, {}, 0);

  QuorvelHost::ClapEventList events;
  events.AddParameter(0, 6, 0.7);
  events.AddParameter(200, bypass, 1.0);
  StereoBlock in3 = input;
  StereoBlock out3(512);
  clap->OutputEvents().Clear();
  clap->Process(in3.Channels(), out3.Channels(), 512, &events, nullptr);
  EXPECT_TRUE(out2 == out3);
  EXPECT_EQ(clap->ParameterValue(bypass), 1.0);
  EXPECT_EQ(clap->ParameterValue(0), 0.0);
  ASSERT_EQ(clap->OutputEvents().Size(), 1u);
  const auto* told = reinterpret_cast<const clap_event_param_value_t*>(clap->OutputEvents().At(0));
  EXPECT_EQ(told->header.time, 200u);
  EXPECT_EQ(told->param_id, 0u);
  EXPECT_EQ(told->value, 0.0);
  char text[32] = {};
  ASSERT_TRUE(params.value_to_text(&clap->Plugin(), bypass, 1.0, text, sizeof text));
  EXPECT_EQ(std::string(text), vst2->GetText(effGetParamDisplay, 0));
  std::vector<uint8_t> expected = vst2->GetState(false);
  expected.insert(expected.end(), {0, 0, 0, 0});
  EXPECT_EQ(clap->GetState(false), expected);

  events.Clear();
  events.AddParameter(0, 0, 1.0);
  clap->OutputEvents().Clear();
  clap->Flush(&events);
  EXPECT_EQ(clap->ParameterValue(bypass), 0.0);
  ASSERT_EQ(clap->OutputEvents().Size(), 1u);
  told = reinterpret_cast<const clap_event_param_value_t*>(clap->OutputEvents().At(0));
  EXPECT_EQ(told->param_id, bypass);
  EXPECT_EQ(told->value, 0.0);
  EXPECT_TRUE(clap->Host().Violations().empty());
}

}  // namespace
}  // namespace QuorvelTest
