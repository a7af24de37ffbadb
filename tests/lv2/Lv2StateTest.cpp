// The bundle's state in every form it takes, through the state interface and through
// lilv's state handling as hosts save and restore sessions.
#include <gtest/gtest.h>
#include <lilv/lilv.h>
#include <lv2/state/state.h>

#include <cstdlib>
#include <random>

#include "tests/lv2/Lv2Fixture.h"
#include "tools/quorvel-host/Lv2World.h"

namespace QuorvelTest {
namespace {

// The sound of 4000 frames of seeded noise, in blocks of 500.
StereoBlock SoundOf(QuorvelHost::HostedLv2& lv2) {
  std::mt19937 random(11);
  std::uniform_real_distribution<float> sample(-1.0f, 1.0f);
  StereoBlock input(4000);
  for (size_t i = 0; i < 4000; ++i) {
    input.left[i] = sample(random);
    input.right[i] = sample(random);
  }
  StereoBlock output(4000);
  for (int32_t start = 0; start < 4000; start += 500) {
    lv2.Process(input.Channels(start), output.Channels(start), 500);
  }
  return output;
}

StereoBlock SoundOf(QuorvelHost::HostedVst2& vst2) {
  std::mt19937 random(11);
  std::uniform_real_distribution<float> sample(-1.0f, 1.0f);
  StereoBlock input(4000);
  for (size_t i = 0; i < 4000; ++i) {
    input.left[i] = sample(random);
    input.right[i] = sample(random);
  }
  StereoBlock output(4000);
  for (int32_t start = 0; start < 4000; start += 500) {
    vst2.Process(input.Channels(start), output.Channels(start), 500, {}, 0);
  }
  return output;
}

// A VST2 instance with edits in two programs, program 5 selected.
std::unique_ptr<QuorvelHost::HostedVst2> EditedVst2() {
  auto vst2 = StartVst2();
  vst2->SetProgram(2);
  vst2->SetValue(6, 0.7f);
  vst2->SetProgram(5);
  vst2->SetValue(1, 0.3f);
  vst2->SetValue(6, 0.6f);
  return vst2;
}

std::vector<uint8_t> WithProgram(std::vector<uint8_t> bank, uint8_t program) {
  bank.insert(bank.end(), {program, 0, 0, 0});
  return bank;
}

// As a host restores a session: the ports given the values the state holds, which then
// change nothing.
void RestorePorts(QuorvelHost::HostedLv2& lv2, QuorvelHost::HostedVst2& vst2) {
  for (int32_t i = 0; i < static_cast<int32_t>(lv2.Parameters().size()); ++i) {
    lv2.SetValue(static_cast<size_t>(i), PortUnits(i, vst2.GetParameter(i)));
  }
}

// The saved form (bank, then the selected program), a bare VST2 bank (the selection
// stays) and a program chunk (into the selected program) each act as the VST2 module's
// loads do: the same sound, and the saved bytes after.
TEST(Lv2State, EveryFormLoadsAsTheVst2ModuleLoadsIt) {
  auto vst2 = EditedVst2();
  const std::vector<uint8_t> bank = vst2->GetState(false);
  const std::vector<uint8_t> program = vst2->GetState(true);
  ASSERT_EQ(program.size(), 236u);

  auto saved = StartLv2();
  ASSERT_TRUE(saved->RestoreState(WithProgram(bank, 5)));
  EXPECT_EQ(saved->SaveState(), WithProgram(bank, 5));
  auto reference = EditedVst2();
  RestorePorts(*saved, *reference);
  EXPECT_TRUE(SoundOf(*saved) == SoundOf(*reference));

  auto bare = StartLv2();
  ASSERT_TRUE(bare->RestoreState(WithProgram(bank, 2)));
  ASSERT_TRUE(bare->RestoreState(bank));
  EXPECT_EQ(bare->SaveState(), WithProgram(bank, 2));

  auto single = StartLv2();
  ASSERT_TRUE(single->RestoreState(program));
  auto vst2Single = StartVst2();
  ASSERT_TRUE(vst2Single->SetState(program, true));
  EXPECT_EQ(single->SaveState(), WithProgram(vst2Single->GetState(false), 0));
  RestorePorts(*single, *vst2Single);
  EXPECT_TRUE(SoundOf(*single) == SoundOf(*vst2Single));
}

// Anything else (a byte too many or too few, the right bytes as another type) is an error
// that changes nothing.
TEST(Lv2State, AnythingElseIsRefusedAndChangesNothing) {
  auto vst2 = EditedVst2();
  const std::vector<uint8_t> state = WithProgram(vst2->GetState(false), 5);
  auto lv2 = StartLv2();
  ASSERT_TRUE(lv2->RestoreState(state));
  std::vector<uint8_t> longer = state;
  longer.push_back(0);
  const std::vector<uint8_t> shorter(state.begin(), state.end() - 1);
  EXPECT_FALSE(lv2->RestoreState(longer));
  EXPECT_FALSE(lv2->RestoreState(shorter));
  EXPECT_FALSE(lv2->RestoreState({}));
  EXPECT_FALSE(lv2->RestoreState(StartLv2()->SaveState(), "http://lv2plug.in/ns/ext/atom#String"));
  EXPECT_EQ(lv2->SaveState(), state);
}

const void* NoPortValue(const char*, void*, uint32_t* size, uint32_t* type) {
  *size = 0;
  *type = 0;
  return nullptr;
}

// A host's session through lilv: the state saved as Turtle text and restored from it into
// a fresh instance, which then saves the same bytes.
TEST(Lv2State, LilvSavesAndRestoresTheStateAsHostsDo) {
  auto vst2 = EditedVst2();
  const std::vector<uint8_t> state = WithProgram(vst2->GetState(false), 5);
  auto original = StartLv2();
  ASSERT_TRUE(original->RestoreState(state));
  QuorvelHost::Lv2World& world = original->World();
  LilvState* saved = lilv_state_new_from_instance(original->Plugin(), original->Lilv(), world.MapFeature(), nullptr,
                                                  nullptr, nullptr, nullptr, NoPortValue, nullptr,
                                                  LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE, nullptr);
  ASSERT_NE(saved, nullptr);
  char* text = lilv_state_to_string(world.Lilv(), world.MapFeature(), world.UnmapFeature(), saved,
                                    "urn:quorvel:session", nullptr);
  ASSERT_NE(text, nullptr);
  LilvState* read = lilv_state_new_from_string(world.Lilv(), world.MapFeature(), text);
  ASSERT_NE(read, nullptr);
  auto copy = StartLv2();
  lilv_state_restore(read, copy->Lilv(), nullptr, nullptr, 0, nullptr);
  EXPECT_EQ(copy->SaveState(), state);
  lilv_state_free(read);
  lilv_free(text);
  lilv_state_free(saved);
}

}  // namespace
}  // namespace QuorvelTest
