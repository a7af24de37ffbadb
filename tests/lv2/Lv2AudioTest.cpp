// The bundle's sound against the VST2 module's, bit for bit, for the same host activity,
// and the rules of its control ports.
#include <gtest/gtest.h>
#include <lilv/lilv.h>

#include <algorithm>
#include <optional>
#include <random>

#include "tests/lv2/Lv2Fixture.h"
#include "tools/quorvel-host/EventList.h"

namespace QuorvelTest {
namespace {

constexpr int32_t kParameters = 12;
constexpr int32_t kFeedback = 6;
constexpr int32_t kMix = 11;

// The same host driving a VST2 and an LV2 instance. The LV2 ports take a VST2 value in
// their units, computed in single precision (for the mix, a value its units can name; the
// other mixes differ by an ulp of the gain). A port's new value acts on the VST2 instance
// as setParameter before the block, in port order, only when it differs from the port's
// value at the previous run; a restored state's values count as those. Controllers at
// offset k act as MIDI events at delta k; a time:Position at frame k as the VST2 time
// information from frame k on (the VST2 block split there), its missing properties
// leaving the transport as it was.
class TwinHosts {
 public:
  explicit TwinHosts(double rate) : vst2_(StartVst2(rate)), lv2_(StartLv2(rate)) {
    for (int32_t i = 0; i < kParameters; ++i) {
      port_[i] = lv2_->Value(static_cast<size_t>(i));
    }
  }

  QuorvelHost::HostedVst2& Vst2() { return *vst2_; }
  QuorvelHost::HostedLv2& Lv2() { return *lv2_; }

  void SetPort(int32_t index, float value) {
    if (index == kMix) {
      value = ValueOfPort(index, PortUnits(index, value));
    }
    lv2_->SetValue(static_cast<size_t>(index), PortUnits(index, value));
    pending_[index] = value;
  }
  // Both take the state; the host gives the ports the values it holds, as hosts restore
  // sessions.
  bool Restore(const std::vector<uint8_t>& bank) {
    if (!vst2_->SetState(bank, false) || !lv2_->RestoreState(bank)) {
      return false;
    }
    for (int32_t i = 0; i < kParameters; ++i) {
      port_[i] = PortUnits(i, vst2_->GetParameter(i));
      lv2_->SetValue(static_cast<size_t>(i), port_[i]);
      pending_[i].reset();
    }
    return true;
  }
  void Controller(int32_t offset, int channel, int controller, int value) {
    const uint8_t bytes[3] = {static_cast<uint8_t>(0xB0 | channel), static_cast<uint8_t>(controller),
                              static_cast<uint8_t>(value)};
    lv2_->QueueMidi(offset, bytes[0], bytes[1], bytes[2]);
    midi_.push_back({offset, bytes[0], bytes[1], bytes[2]});
  }
  // At most one per block, at `offset`.
  void Transport(int32_t offset, std::optional<float> tempo, std::optional<bool> playing) {
    QuorvelHost::Lv2Position position;
    position.tempo = tempo;
    if (playing.has_value()) {
      position.speed = *playing ? 1.0f : 0.0f;
    }
    lv2_->AddPosition(offset, position);
    timeOffset_ = offset;
    tempo_ = tempo;
    playing_ = playing;
  }

  // One block of `input` through both (0 frames: a run of no frames with no buffers); true
  // when the outputs are the same bits.
  bool Process(const StereoBlock& input, int32_t frames) {
    for (int32_t i = 0; i < kParameters; ++i) {
      if (pending_[i].has_value() && PortUnits(i, *pending_[i]) != port_[i]) {
        port_[i] = PortUnits(i, *pending_[i]);
        vst2_->SetValue(i, *pending_[i]);
      }
      pending_[i].reset();
    }
    if (frames == 0) {
      lv2_->Process(nullptr, nullptr, 0);
      return true;
    }
    StereoBlock in2 = input;
    StereoBlock in3 = input;
    StereoBlock out2(frames);
    StereoBlock out3(frames);
    const int32_t split = timeOffset_ >= 0 ? timeOffset_ : frames;
    if (split > 0) {
      Vst2Piece(in2, out2, 0, split);
    }
    if (timeOffset_ >= 0) {
      vst2Transport_.tempo = tempo_.has_value() ? static_cast<double>(*tempo_) : vst2Transport_.tempo;
      vst2Transport_.playing = playing_.value_or(vst2Transport_.playing);
    }
    if (split < frames) {
      Vst2Piece(in2, out2, split, frames);
    }
    lv2_->Process(in3.Channels(), out3.Channels(), static_cast<uint32_t>(frames));
    midi_.clear();
    timeOffset_ = -1;
    return out2 == out3;
  }

 private:
  void Vst2Piece(StereoBlock& in, StereoBlock& out, int32_t start, int32_t end) {
    for (const QuorvelHost::TimedMidiMessage& message : midi_) {
      if (message.frame >= start && message.frame < end) {
        vst2_->QueueMidi(static_cast<int32_t>(message.frame - start), message.status, message.data1, message.data2);
      }
    }
    vst2_->DeliverEvents();
    vst2_->Process(in.Channels(start), out.Channels(start), end - start, vst2Transport_, 0);
  }

  std::unique_ptr<QuorvelHost::HostedVst2> vst2_;
  std::unique_ptr<QuorvelHost::HostedLv2> lv2_;
  float port_[kParameters] = {};
  std::optional<float> pending_[kParameters];
  std::vector<QuorvelHost::TimedMidiMessage> midi_;
  int32_t timeOffset_ = -1;
  std::optional<float> tempo_;
  std::optional<bool> playing_;
  QuorvelHost::HostTransport vst2Transport_;
};

// Seeded runs of everything an LV2 host does while it plays: blocks of any size and runs
// of none, control ports moved (switch edges included, the same value again too), learned
// and unlearned controllers at any frame, time positions with and without each fact at
// any frame, at three sample rates, from a VST2 bank with two learned controllers.
TEST(Lv2Audio, RandomHostActivitySoundsBitForBitAsTheVst2Module) {
  for (uint32_t seed = 1; seed <= 6; ++seed) {
    std::mt19937 random(seed);
    const double rates[] = {44100.0, 48000.0, 96000.0};
    TwinHosts hosts(rates[seed % 3]);
    ASSERT_TRUE(hosts.Restore(LearnedVst2Bank()));
    const float edges[] = {0.0f, 0.49999997f, 0.5f, 1.0f};
    for (int block = 0; block < 300; ++block) {
      const int32_t frames = random() % 16 == 0 ? 0 : std::uniform_int_distribution<int32_t>(1, 700)(random);
      for (uint32_t n = random() % 4; n > 0; --n) {
        const auto index = static_cast<int32_t>(random() % kParameters);
        if (random() % 4 == 0) {
          const auto slot = static_cast<size_t>(index);
          hosts.Lv2().SetValue(slot, hosts.Lv2().Value(slot));  // the same value again
          continue;
        }
        hosts.SetPort(index,
                      random() % 3 == 0 ? edges[random() % 4] : std::generate_canonical<float, 24>(random));
      }
      if (frames > 0) {
        std::vector<int32_t> offsets;
        for (uint32_t n = random() % 4; n > 0; --n) {
          offsets.push_back(static_cast<int32_t>(random() % static_cast<uint32_t>(frames)));
        }
        std::sort(offsets.begin(), offsets.end());
        for (int32_t offset : offsets) {
          const int controllers[] = {74, 21, 7};
          hosts.Controller(offset, static_cast<int>(random() % 16), controllers[random() % 3],
                           static_cast<int>(random() % 128));
        }
        if (random() % 8 == 0) {
          std::optional<float> tempo;
          std::optional<bool> playing;
          if (random() % 3 != 0) {
            tempo = 60.0f + static_cast<float>(random() % 120);
          }
          if (random() % 3 != 0) {
            playing = random() % 4 != 0;
          }
          hosts.Transport(static_cast<int32_t>(random() % static_cast<uint32_t>(frames)), tempo, playing);
        }
      }
      StereoBlock input(frames);
      input.FillWithNoise(random);
      ASSERT_TRUE(hosts.Process(input, frames)) << "seed " << seed << ", block " << block;
    }
  }
}

// A control input counts only when the host changes it: after a state restore, the ports
// restored to the state's values change nothing, a learned controller's move stays while
// the host gives the port its value again, and a run of no frames applies a new value.
TEST(Lv2Audio, ControlInputsCountOnlyWhenTheHostChangesThem) {
  auto lv2 = StartLv2();
  auto vst2 = StartVst2();
  ASSERT_TRUE(vst2->SetState(LearnedVst2Bank(), false));
  constexpr int32_t kLeftSync = 4;
  vst2->SetValue(kLeftSync, 0.3f);  // the 1/16 that a port's 1 stands for as 0.25
  ASSERT_TRUE(lv2->RestoreState(vst2->GetState(false)));
  for (int32_t i = 0; i < kParameters; ++i) {
    lv2->SetValue(static_cast<size_t>(i), PortUnits(i, vst2->GetParameter(i)));
  }
  // The saved state without the selected program that follows the bank.
  auto bankOf = [](std::vector<uint8_t> state) {
    state.resize(state.size() - 4);
    return state;
  };
  const uint8_t controller[3] = {0xB0, 74, 127};  // learned by the feedback
  lv2->QueueMidi(0, controller[0], controller[1], controller[2]);
  StereoBlock block(64);
  lv2->Process(block.Channels(), block.Channels(), 64);
  EXPECT_EQ(lv2->Notifications().size(), 1u);  // the UI hears of the move unasked
  lv2->Process(block.Channels(), block.Channels(), 64);
  vst2->SetValue(kFeedback, 1.0f);
  EXPECT_EQ(bankOf(lv2->SaveState()), vst2->GetState(false)) << "the state's values acted, or the controller not";

  lv2->SetValue(kFeedback, 0.25f);  // 0.25 of full gain: VST2's 0.5
  lv2->Process(nullptr, nullptr, 0);
  vst2->SetValue(kFeedback, 0.5f);
  EXPECT_EQ(bankOf(lv2->SaveState()), vst2->GetState(false));
}

// Deactivated and activated again, the plug-in starts afresh, exactly as after a transport
// stop; an instance that is neither paused nor stopped still rings.
TEST(Lv2Audio, ActivationAfterADeactivationDropsTheEchoesAsATransportStopDoes) {
  std::unique_ptr<QuorvelHost::HostedLv2> paused = StartLv2(), stopped = StartLv2(), ringing = StartLv2();
  StereoBlock outputs[3] = {StereoBlock(4096), StereoBlock(4096), StereoBlock(4096)};
  int n = 0;
  for (auto* lv2 : {paused.get(), stopped.get(), ringing.get()}) {
    lv2->SetValue(kFeedback, 0.25f);
    StereoBlock clicks(4096);
    clicks.left[0] = clicks.right[0] = 1.0f;
    lv2->Process(clicks.Channels(), outputs[n].Channels(), 4096);
    ++n;
  }
  paused->Deactivate();  // the host pauses the instance and resumes it
  std::string error;
  ASSERT_TRUE(paused->Activate(44100.0, 4096, error)) << error;
  QuorvelHost::Lv2Position position;
  position.speed = 0.0f;
  stopped->AddPosition(0, position);
  stopped->Process(nullptr, nullptr, 0);
  position.speed = 1.0f;
  stopped->AddPosition(0, position);
  n = 0;
  for (auto* lv2 : {paused.get(), stopped.get(), ringing.get()}) {
    StereoBlock silence(44100);
    outputs[n] = StereoBlock(44100);
    lv2->Process(silence.Channels(), outputs[n].Channels(), 44100);
    ++n;
  }
  EXPECT_TRUE(outputs[0] == outputs[1]);
  EXPECT_FALSE(outputs[0] == outputs[2]);
}

}  // namespace
}  // namespace QuorvelTest
