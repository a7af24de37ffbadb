// State: the bundle's own bytes, and every VST2 form a host hands over when it puts the
// VST3 plug-in in the place of the VST2 one.
#include <gtest/gtest.h>

#include "tests/vst3/Vst3Fixture.h"

namespace QuorvelTest {
namespace {

using Bytes = std::vector<uint8_t>;

void PutBigEndian(Bytes& bytes, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) {
    bytes.push_back(static_cast<uint8_t>(value >> shift));
  }
}

void PutTag(Bytes& bytes, const char* tag) {
  PutBigEndian(bytes, static_cast<uint32_t>(static_cast<uint8_t>(tag[0])) << 24 |
                          static_cast<uint32_t>(static_cast<uint8_t>(tag[1])) << 16 |
                          static_cast<uint32_t>(static_cast<uint8_t>(tag[2])) << 8 | static_cast<uint8_t>(tag[3]));
}

// A VST2 host's file image of an opaque chunk, as published: 'CcnK', the size after it,
// 'FBCh' or 'FPCh', the format version, the ID, the plug-in's version, the program (bank)
// or parameter (program) count, 128 reserved bytes (bank; a version-2 bank's current
// program in the first 4) or the 28-byte program name, the chunk's size, the chunk.
Bytes Image(const Bytes& chunk, bool bank, uint32_t version = 1, int32_t currentProgram = 0,
            const char* id = "QDly", uint32_t count = 1) {
  Bytes image;
  PutTag(image, "CcnK");
  PutBigEndian(image, 0);
  PutTag(image, bank ? "FBCh" : "FPCh");
  PutBigEndian(image, version);
  PutTag(image, id);
  PutBigEndian(image, 2700);
  PutBigEndian(image, count);
  const bool hasCurrent = bank && version >= 2;
  PutBigEndian(image, hasCurrent ? static_cast<uint32_t>(currentProgram) : 0u);
  image.resize(image.size() + (bank ? 124 : 24), 0);
  PutBigEndian(image, static_cast<uint32_t>(chunk.size()));
  image.insert(image.end(), chunk.begin(), chunk.end());
  const uint32_t size = static_cast<uint32_t>(image.size() - 8);
  for (int i = 0; i < 4; ++i) {
    image[4 + static_cast<size_t>(i)] = static_cast<uint8_t>(size >> (24 - 8 * i));
  }
  return image;
}

// Steinberg's hosts write 'VstW', the header's size (8), version 1 and bypass before a bank.
Bytes WithVstWHeader(const Bytes& image, uint32_t bypass) {
  Bytes bytes;
  PutTag(bytes, "VstW");
  PutBigEndian(bytes, 8);
  PutBigEndian(bytes, 1);
  PutBigEndian(bytes, bypass);
  bytes.insert(bytes.end(), image.begin(), image.end());
  return bytes;
}

// A VST2 instance with recognisable settings: program 5 selected and named, two values set.
std::unique_ptr<QuorvelHost::HostedVst2> Vst2WithSettings() {
  auto vst2 = StartVst2();
  vst2->SetProgram(5);
  char name[] = "Tape Echo";
  vst2->Dispatch(effSetProgramName, 0, 0, name);
  vst2->SetValue(6, 0.625f);
  vst2->SetValue(0, 0.49999997f);
  return vst2;
}

// The state is the VST2 bank chunk and the selected program (int32, little-endian): it
// carries exact values, the program and the names back, also delivered 7 bytes at a time.
TEST(Vst3State, OwnStateIsTheVst2BankAndTheSelectedProgram) {
  auto vst2 = Vst2WithSettings();
  const Bytes bank = vst2->GetState(false);
  auto vst3 = StartVst3();
  ASSERT_TRUE(vst3->LoadState(bank));
  QuorvelHost::Vst3ParameterChanges program;
  program.Add(kProgramId, 0, 5 / 31.0);
  vst3->Process(nullptr, nullptr, 0, &program, nullptr);
  Bytes state = vst3->GetState(false);
  ASSERT_EQ(state.size(), bank.size() + 4);
  EXPECT_TRUE(std::equal(bank.begin(), bank.end(), state.begin()));
  EXPECT_EQ(Bytes(state.end() - 4, state.end()), (Bytes{5, 0, 0, 0}));

  auto copy = StartVst3();
  ASSERT_TRUE(copy->LoadState(state, 7));
  EXPECT_EQ(copy->Controller()->getParamNormalized(0x100), 5 / 31.0);
  EXPECT_EQ(copy->Controller()->getParamNormalized(6), 0.625f);
  EXPECT_EQ(copy->Controller()->getParamNormalized(0), 0.49999997f);
  EXPECT_EQ(copy->GetState(false), state);
}

// Every form a host hands over from a VST2 project: the bank image with and without the
// 'VstW' header (a version-2 bank selects its current program), the program image into
// the selected program, the bare chunks; each leaves the values the VST2 instance had.
TEST(Vst3State, TakesOverEveryVst2Form) {
  auto vst2 = Vst2WithSettings();
  const Bytes bank = vst2->GetState(false);
  const Bytes program = vst2->GetState(true);
  // A bank leaves program 0 selected unless it names another, as a VST2 bank load does.
  vst2->SetProgram(0);
  const float untouched = vst2->GetParameter(6);
  struct Form {
    const char* name;
    Bytes bytes;
    int32_t program;
    float feedback;
  };
  const Form forms[] = {
      {"bank image", Image(bank, true), 0, untouched},
      {"bank image, version 2, program 5", Image(bank, true, 2, 5), 5, 0.625f},
      {"bank image after VstW, bypassed", WithVstWHeader(Image(bank, true, 2, 5, "QDly", 32), 1), 5, 0.625f},
      {"bare bank", bank, 0, untouched},
      {"program image", Image(program, false), 0, 0.625f},
      {"bare program", program, 0, 0.625f},
  };
  for (const Form& form : forms) {
    auto vst3 = StartVst3();
    ASSERT_TRUE(vst3->LoadState(form.bytes)) << form.name;
    EXPECT_EQ(vst3->Controller()->getParamNormalized(kProgramId), form.program / 31.0) << form.name;
    EXPECT_EQ(vst3->Controller()->getParamNormalized(6), form.feedback) << form.name;
  }
}

// Anything else is refused with kResultFalse and changes nothing: another plug-in's image,
// an image whose chunk is cut short or runs past it, a bank image of no programs, a state
// with a selected program out of range, and bytes of no form at all.
TEST(Vst3State, RefusesEverythingElseChangingNothing) {
  auto vst2 = Vst2WithSettings();
  const Bytes bank = vst2->GetState(false);
  Bytes cut = Image(bank, true);
  cut.resize(cut.size() - 1);
  Bytes longer = bank;
  longer.push_back(0);
  Bytes badProgram = bank;
  for (uint8_t byte : {uint8_t{32}, uint8_t{0}, uint8_t{0}, uint8_t{0}}) {
    badProgram.push_back(byte);
  }
  Bytes bankWithTail = Image(longer, true);
  const Bytes refused[] = {Image(bank, true, 1, 0, "Othr"), cut, bankWithTail, Image(bank, true, 1, 0, "QDly", 0),
                           badProgram, Bytes(100, 0x55), Bytes{}};
  auto vst3 = StartVst3();
  const Bytes before = vst3->GetState(false);
  for (const Bytes& bytes : refused) {
    EXPECT_FALSE(vst3->LoadState(bytes)) << bytes.size() << " bytes";
    EXPECT_EQ(vst3->GetState(false), before);
  }
}

}  // namespace
}  // namespace QuorvelTest
