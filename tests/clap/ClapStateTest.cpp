// State: the module's own bytes and the VST2 chunks, through streams of any piece size,
// loaded while audio runs.
#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <thread>

#include "tests/clap/ClapFixture.h"

namespace QuorvelTest {
namespace {

using Bytes = std::vector<uint8_t>;

// The same edits on both: the host's values through params.flush and setParameter. A
// switch's or selector's choice k of n is the VST2 value k / (n - 1).
void Edit(QuorvelHost::HostedClap& clap, QuorvelHost::HostedVst2& vst2) {
  QuorvelHost::ClapEventList events;
  for (int32_t index = 0; index < 12; ++index) {
    const auto id = static_cast<clap_id>(index);
    const float value = static_cast<float>(index + 1) / 13.0f;
    clap_param_info_t info{};
    ASSERT_TRUE(clap.Params()->get_info(&clap.Plugin(), id, &info));
    const double plain = clap.PlainOf(id, value);
    const bool stepped = (info.flags & CLAP_PARAM_IS_STEPPED) != 0;
    events.AddParameter(0, id, plain);
    const float normalized = static_cast<float>(plain) / static_cast<float>(info.max_value);
    vst2.SetValue(index, stepped ? normalized : value);
  }
  clap.Flush(&events);
}

// The state is the VST2 bank chunk and the selected program (int32, little-endian), the
// same bytes whatever size of piece the stream takes, and a fresh instance given them in
// one-byte pieces saves them back unchanged.
TEST(ClapState, OwnFormIsTheBankAndProgramInAnyPieceSize) {
  auto clap = StartClap();
  auto vst2 = StartVst2();
  Edit(*clap, *vst2);
  Bytes expected = vst2->GetState(false);
  expected.insert(expected.end(), {0, 0, 0, 0});
  EXPECT_EQ(clap->GetState(false), expected);
  clap->SetStatePiece(1);
  EXPECT_EQ(clap->GetState(false), expected);
  clap->SetStatePiece(3);
  EXPECT_EQ(clap->GetState(false), expected);

  auto fresh = StartClap();
  fresh->SetStatePiece(1);
  ASSERT_TRUE(fresh->SetState(expected, false));
  EXPECT_EQ(fresh->GetState(false), expected);
  EXPECT_EQ(fresh->ParameterValue(4), 1.0);  // Left Sync's choice trunc(5 x 5/13)
  // The host's controls show the loaded values: it is asked to read them again.
  EXPECT_EQ(fresh->Host().Requests(QuorvelHost::ClapHost::kRescan), 1);
}

// A bare VST2 bank loads whole (the selection stays); a VST2 program chunk loads into the
// selected program, as VST2's own chunk loads do.
TEST(ClapState, LoadsTheVst2BankAndProgramChunks) {
  auto source = StartVst2();
  auto sourceClap = StartClap();
  Edit(*sourceClap, *source);
  const Bytes bank = source->GetState(false);
  const Bytes program = source->GetState(true);

  auto clap = StartClap();
  clap->SetStatePiece(7);
  ASSERT_TRUE(clap->SetState(bank, false));
  Bytes expected = bank;
  expected.insert(expected.end(), {0, 0, 0, 0});
  EXPECT_EQ(clap->GetState(false), expected);

  auto fromProgram = StartClap();
  auto vst2 = StartVst2();
  fromProgram->SetStatePiece(2);
  ASSERT_TRUE(fromProgram->SetState(program, false));
  ASSERT_TRUE(vst2->SetState(program, true));
  Bytes vst2State = vst2->GetState(false);
  vst2State.insert(vst2State.end(), {0, 0, 0, 0});
  EXPECT_EQ(fromProgram->GetState(false), vst2State);
}

// Anything else is refused and changes nothing: no bytes, a truncated state, a state with
// bytes past the program, a program past the bank, random bytes, a stream failing midway.
TEST(ClapState, RefusesEverythingElseChangingNothing) {
  auto clap = StartClap();
  auto vst2 = StartVst2();
  Edit(*clap, *vst2);
  const Bytes before = clap->GetState(false);
  Bytes extra = before;
  extra.push_back(0);
  ASSERT_GT(before.size(), 4u);
  Bytes badProgram(before.begin(), before.end() - 4);
  badProgram.insert(badProgram.end(), {32, 0, 0, 0});
  Bytes random(before.size());
  std::mt19937 generator(3);
  for (uint8_t& byte : random) {
    byte = static_cast<uint8_t>(generator());
  }
  const Bytes refused[] = {Bytes{}, Bytes(before.begin(), before.end() - 1), extra, badProgram, random,
                           Bytes(70000, 0)};
  clap->SetStatePiece(1);
  for (const Bytes& bytes : refused) {
    EXPECT_FALSE(clap->SetState(bytes, false)) << bytes.size() << " bytes";
    EXPECT_EQ(clap->GetState(false), before) << bytes.size() << " bytes";
  }
  EXPECT_EQ(clap->Host().Requests(QuorvelHost::ClapHost::kRescan), 0);
  EXPECT_TRUE(clap->Host().Violations().empty());
}

// The main thread loads states while the audio thread processes, as hosts do; each load
// lands whole, and no call is made on a thread the format forbids.
TEST(ClapState, LoadsWhileAudioRuns) {
  auto clap = StartClap();
  auto vst2 = StartVst2();
  const Bytes fresh = clap->GetState(false);
  Edit(*clap, *vst2);
  const Bytes edited = clap->GetState(false);
  std::atomic<bool> running{true};
  std::thread audio([&clap, &running] {
    StereoBlock block(256);
    while (running.load()) {
      clap->Process(block.Channels(), block.Channels(), 256, nullptr, nullptr);
    }
  });
  clap->SetStatePiece(5);
  for (int i = 0; i < 200; ++i) {
    ASSERT_TRUE(clap->SetState(i % 2 == 0 ? fresh : edited, false));
  }
  running.store(false);
  audio.join();
  EXPECT_EQ(clap->GetState(false), edited);
  EXPECT_TRUE(clap->Host().Violations().empty());
}

}  // namespace
}  // namespace QuorvelTest
