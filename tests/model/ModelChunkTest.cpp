#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "model/ChunkBuffer.h"
#include "tests/model/RecordingModel.h"
#include "tests/support/TraceCapture.h"

using QuorvelTest::RecordingModel;
using QuorvelTest::TraceCapture;
using VstToolkit::ChunkBuffer;
using Bytes = std::vector<uint8_t>;
using Lines = std::vector<std::string>;

namespace {

constexpr size_t kVersionOffset = 160;
constexpr size_t kHeaderSize = 164;
constexpr size_t kProgramSize = 24 + 12 * 4;
constexpr size_t kMapOffset = kHeaderSize + 32 * kProgramSize;  // 2468

void Append(Bytes& bytes, const Bytes& more) {
  bytes.insert(bytes.end(), more.begin(), more.end());
}

// A text field as the format stores it: the characters, then zero bytes up to the width.
Bytes Field(const char* text, size_t width) {
  Bytes bytes(text, text + std::strlen(text));
  bytes.resize(width, 0);
  return bytes;
}

Bytes Header(uint8_t versionLow = 0x8C, uint8_t versionHigh = 0x0A) {
  Bytes bytes = Field("Quorvel Delay", 32);
  Append(bytes, Field("Quorvel Sound Design", 64));
  Append(bytes, Field("Quorvel Delay", 64));
  Append(bytes, {versionLow, versionHigh, 0x00, 0x00});  // 2700 = 0x0A8C
  return bytes;
}

// The test table's defaults in little-endian IEEE 754: 1.0 = 0x3F800000, 0.5 = 0x3F000000,
// 0.25 = 0x3E800000, 0.75 = 0x3F400000, 0.125 = 0x3E000000, 0.375 = 0x3EC00000.
Bytes DefaultProgram() {
  Bytes bytes = Field("Blank", 24);
  Append(bytes,
         {0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0x3F, 0x00, 0x00, 0x80, 0x3E, 0x00, 0x00, 0x00, 0x00,
          0x00, 0x00, 0x40, 0x3F, 0x00, 0x00, 0x00, 0x3E, 0x00, 0x00, 0x00, 0x3F, 0x00, 0x00, 0x00, 0x00,
          0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x3F, 0x00, 0x00, 0xC0, 0x3E});
  return bytes;
}

Bytes Contents(const ChunkBuffer& chunk) {
  return Bytes(chunk.GetData(), chunk.GetData() + chunk.GetSize());
}

Bytes SaveBank(RecordingModel& model) {
  ChunkBuffer chunk;
  model.SerializeBank(chunk);
  return Contents(chunk);
}

Bytes SaveProgram(RecordingModel& model) {
  ChunkBuffer chunk;
  model.SerializeSelectedProgram(chunk);
  return Contents(chunk);
}

bool LoadBank(RecordingModel& model, const Bytes& bytes) {
  ChunkBuffer chunk(bytes.data(), static_cast<uint32_t>(bytes.size()));
  return model.DeserializeBank(chunk);
}

bool LoadProgram(RecordingModel& model, const Bytes& bytes) {
  ChunkBuffer chunk(bytes.data(), static_cast<uint32_t>(bytes.size()));
  return model.DeserializeSelectedProgram(chunk);
}

void PutFloat(Bytes& bytes, size_t offset, uint32_t bits) {
  for (int k = 0; k < 4; ++k) {
    bytes[offset + static_cast<size_t>(k)] = static_cast<uint8_t>(bits >> (8 * k));
  }
}

uint32_t Bits(float value) {
  uint32_t bits = 0;
  std::memcpy(&bits, &value, 4);
  return bits;
}

// A model whose every program, name and mapping differs from a fresh one.
void MakeDistinct(RecordingModel& model) {
  for (int32_t p = 31; p >= 0; --p) {
    model.SetSelectedProgramIndex(p);
    model.SetSelectedProgramName(("Old " + std::to_string(p)).c_str());
    for (int32_t i = 0; i < 12; ++i) {
      model.SetParameterValue(i, static_cast<float>(p * 12 + i) / 1024.0f);
    }
  }
  model.SetSelectedProgramIndex(7);
  model.RegisterMidiControllerMapping(11, 1);
  model.RegisterMidiControllerMapping(12, 11);
  model.events.clear();
}

// A bank chunk of random programs (names of any 24 bytes, values of any bit pattern)
// and a random map with at most one parameter per controller: it loads and saves unchanged.
Bytes RandomBank(std::mt19937& random) {
  Bytes bytes = Header();
  for (size_t k = 0; k < 32 * kProgramSize; ++k) {
    bytes.push_back(static_cast<uint8_t>(random()));
  }
  std::vector<int> controllers(128);
  for (int c = 0; c < 128; ++c) {
    controllers[static_cast<size_t>(c)] = c;
  }
  std::shuffle(controllers.begin(), controllers.end(), random);
  for (size_t i = 0; i < 12; ++i) {
    if (random() % 2 == 0) {
      bytes.push_back(0);
    } else {
      bytes.push_back(1);
      bytes.push_back(static_cast<uint8_t>(controllers[i]));
    }
  }
  return bytes;
}

}  // namespace

TEST(ChunkSave, AFreshProgramChunkIsTheHeaderBlankAndTheDefaults) {
  RecordingModel model;
  ChunkBuffer chunk;
  TraceCapture capture;
  model.SerializeSelectedProgram(chunk);
  Bytes expected = Header();
  Append(expected, DefaultProgram());
  ASSERT_EQ(expected.size(), 236u);
  EXPECT_EQ(Contents(chunk), expected);
  EXPECT_EQ(chunk.GetCapacity(), 256u);
  EXPECT_EQ(capture.Lines(), (Lines{"Model::SerializeSelectedProgram\r\n", "Model::WriteHeader\r\n"}));
}

TEST(ChunkSave, AFreshBankChunkHoldsThirtyTwoDefaultProgramsAndAnEmptyMap) {
  RecordingModel model;
  ChunkBuffer chunk;
  model.SerializeBank(chunk);
  Bytes expected = Header();
  for (int p = 0; p < 32; ++p) {
    Append(expected, DefaultProgram());
  }
  Append(expected, Bytes(12, 0x00));
  ASSERT_EQ(expected.size(), 2480u);  // 164 + 32 * 72 + 12
  EXPECT_EQ(Contents(chunk), expected);
  EXPECT_EQ(chunk.GetCapacity(), 4096u);  // 256 doubled until 2480 fits
}

TEST(ChunkSave, TheMapSectionNamesTheLowestControllerOfEachParameter) {
  RecordingModel model;
  model.RegisterMidiControllerMapping(74, 6);
  Bytes bank = SaveBank(model);
  ASSERT_EQ(bank.size(), 2481u);
  EXPECT_EQ(Bytes(bank.begin() + kMapOffset, bank.end()),
            (Bytes{0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x4A, 0x00, 0x00, 0x00, 0x00, 0x00}));
  model.RegisterMidiControllerMapping(90, 0);
  model.RegisterMidiControllerMapping(40, 0);  // parameter 0 now has two: 40 (0x28) is written
  TraceCapture capture;
  bank = SaveBank(model);
  EXPECT_EQ(Bytes(bank.begin() + kMapOffset, bank.end()),
            (Bytes{0x01, 0x28, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x4A, 0x00, 0x00, 0x00, 0x00, 0x00}));
  EXPECT_EQ(capture.Lines(), (Lines{"Model::SerializeBank\r\n", "Model::WriteHeader\r\n",
                                    "Model::ParameterToController\r\n", "Model::ParameterToController\r\n"}));
}

TEST(ChunkSave, TwoSavesIntoTheSameClearedBufferGiveTheSameBytes) {
  RecordingModel model;
  ChunkBuffer chunk;
  model.SerializeBank(chunk);
  const Bytes first = Contents(chunk);
  chunk.Clear();
  model.SerializeBank(chunk);
  EXPECT_EQ(Contents(chunk), first);
  chunk.Clear();
  model.SerializeSelectedProgram(chunk);
  EXPECT_EQ(chunk.GetSize(), 236u);
  EXPECT_EQ(chunk.GetCapacity(), 4096u);  // never shrinks
}

TEST(ChunkLoad, AProgramChunkReplacesTheSelectedProgramThroughSetParameterValue) {
  RecordingModel source;
  source.SetSelectedProgramName("Slapback");
  source.SetParameterValue(1, 0.0625f);
  const Bytes chunk = SaveProgram(source);
  RecordingModel model;
  model.SetSelectedProgramIndex(4);
  model.events.clear();
  TraceCapture capture;
  ASSERT_TRUE(LoadProgram(model, chunk));
  EXPECT_TRUE(std::memcmp(model.GetSelectedProgramName(), Field("Slapback", 24).data(), 24) == 0);
  EXPECT_EQ(model.GetParameterValue(1), 0.0625f);
  EXPECT_EQ(model.GetProgramParameterValue(0, 1), 0.5f);  // other programs untouched
  ASSERT_EQ(model.events.size(), 12u);
  EXPECT_EQ(model.events[1], "parameter 1 0.5 0.0625");
  EXPECT_EQ(model.events[6], "parameter 6 0.5 0.5");  // fired also for an unchanged value
  Lines expectedTraces = {"Model::DeserializeSelectedProgram\r\n", "Model::ReadHeader\r\n"};
  expectedTraces.resize(14, "Model::SetParameterValue\r\n");
  EXPECT_EQ(capture.Lines(), expectedTraces);
}

TEST(ChunkLoad, ABankChunkPassedAsAProgramChunkLoadsProgramZerosPart) {
  RecordingModel source;
  source.SetSelectedProgramName("First");
  source.SetParameterValue(2, 0.875f);
  source.SetSelectedProgramIndex(1);
  source.SetSelectedProgramName("Second");
  source.SetParameterValue(2, 0.0f);
  const Bytes bank = SaveBank(source);
  RecordingModel model;
  model.SetSelectedProgramIndex(9);
  ASSERT_TRUE(LoadProgram(model, bank));
  EXPECT_STREQ(model.GetProgramName(9), "First");
  EXPECT_EQ(model.GetProgramParameterValue(9, 2), 0.875f);
}

TEST(ChunkLoad, AProgramChunkPassedAsABankChunkIsRefusedWithoutAnyChange) {
  RecordingModel model;
  MakeDistinct(model);
  const Bytes before = SaveBank(model);
  RecordingModel other;
  EXPECT_FALSE(LoadBank(model, SaveProgram(other)));
  EXPECT_EQ(SaveBank(model), before);  // program 0 and the map are kept
  EXPECT_TRUE(model.events.empty());
}

TEST(ChunkLoad, EveryCutChunkIsRefusedAndChangesNothing) {
  RecordingModel source;
  source.RegisterMidiControllerMapping(74, 6);
  source.RegisterMidiControllerMapping(3, 0);
  const Bytes bank = SaveBank(source);  // 2482 bytes
  const Bytes program = SaveProgram(source);
  RecordingModel model;
  MakeDistinct(model);
  const Bytes before = SaveBank(model);
  model.StartLearningMidi(2);
  for (size_t length = 0; length < bank.size(); ++length) {
    const Bytes cut(bank.begin(), bank.begin() + static_cast<std::ptrdiff_t>(length));
    ASSERT_FALSE(LoadBank(model, cut)) << length;
    if (length < program.size()) {
      ASSERT_FALSE(LoadProgram(model, cut)) << length;
    }
  }
  EXPECT_EQ(SaveBank(model), before);
  EXPECT_TRUE(model.events.empty());
  EXPECT_EQ(model.GetSelectedProgramIndex(), 7);
  EXPECT_TRUE(model.IsLearningMidi());
}

TEST(ChunkLoad, VersionsUpTo2700LoadAndLaterOnesAreRefused) {
  RecordingModel source;
  source.SetParameterValue(0, 0.25f);
  Bytes chunk = SaveProgram(source);
  RecordingModel model;
  chunk[kVersionOffset] = 0x8D;  // 2701
  EXPECT_FALSE(LoadProgram(model, chunk));
  EXPECT_EQ(model.GetParameterValue(0), 1.0f);
  EXPECT_TRUE(model.events.empty());
  const Bytes versions[] = {{0x8C, 0x0A, 0x00, 0x00},
                            {0x01, 0x00, 0x00, 0x00},
                            {0x00, 0x00, 0x00, 0x00},
                            {0xFB, 0xFF, 0xFF, 0xFF} /* -5 */,
                            {0x00, 0x00, 0x00, 0x80} /* INT32_MIN */};
  for (const Bytes& version : versions) {
    std::copy(version.begin(), version.end(), chunk.begin() + kVersionOffset);
    RecordingModel fresh;
    EXPECT_TRUE(LoadProgram(fresh, chunk));
    EXPECT_EQ(fresh.GetParameterValue(0), 0.25f);
  }
  Bytes bank = SaveBank(source);
  bank[kVersionOffset + 3] = 0x01;  // 2700 + 2^24
  EXPECT_FALSE(LoadBank(model, bank));
  EXPECT_EQ(model.GetProgramParameterValue(0, 0), 1.0f);
}

TEST(ChunkLoad, TheHeaderComparesTextUpToTheFirstNul) {
  RecordingModel source;
  source.SetParameterValue(0, 0.25f);
  const Bytes chunk = SaveProgram(source);
  Bytes tail = chunk;
  tail[20] = 'Z';  // after "Quorvel Delay" and its NUL in the effect name field
  tail[31] = 0x7F;
  RecordingModel model;
  EXPECT_TRUE(LoadProgram(model, tail));
  EXPECT_EQ(model.GetParameterValue(0), 0.25f);
  for (const size_t offset : {0u, 12u, 13u, 32u, 51u, 96u, 108u}) {  // inside each text or on its NUL
    Bytes damaged = chunk;
    damaged[offset] = 'x';
    RecordingModel other;
    EXPECT_FALSE(LoadProgram(other, damaged)) << offset;
    EXPECT_FALSE(LoadBank(other, damaged)) << offset;
  }
}

TEST(ChunkLoad, TrailingBytesAreIgnored) {
  RecordingModel source;
  source.SetParameterValue(5, 0.5f);
  Bytes program = SaveProgram(source);
  Append(program, {1, 2, 3, 4, 5});
  RecordingModel model;
  EXPECT_TRUE(LoadProgram(model, program));
  EXPECT_EQ(model.GetParameterValue(5), 0.5f);
  source.RegisterMidiControllerMapping(9, 5);
  Bytes bank = SaveBank(source);
  const Bytes saved = bank;
  Append(bank, Bytes(100, 0xEE));
  EXPECT_TRUE(LoadBank(model, bank));
  EXPECT_EQ(SaveBank(model), saved);
}

TEST(ChunkLoad, ValuesOutsideZeroToOneAndNaNAreStoredBitForBit) {
  RecordingModel source;
  Bytes chunk = SaveProgram(source);
  PutFloat(chunk, 188, 0x7FC01234);  // a quiet NaN with a payload
  PutFloat(chunk, 192, 0x40200000);  // 2.5
  PutFloat(chunk, 196, 0xBF800000);  // -1.0
  PutFloat(chunk, 200, 0x7F800000);  // infinity
  RecordingModel model;
  ASSERT_TRUE(LoadProgram(model, chunk));
  EXPECT_EQ(Bits(model.GetParameterValue(0)), 0x7FC01234u);
  EXPECT_EQ(model.GetParameterValue(1), 2.5f);
  EXPECT_EQ(model.GetParameterValue(2), -1.0f);
  EXPECT_EQ(Bits(model.GetParameterValue(3)), 0x7F800000u);
  EXPECT_EQ(SaveProgram(model), chunk);
}

TEST(ChunkLoad, ALoadedNameKeepsAll24BytesWithoutATerminator) {
  Bytes chunk = Header();
  Append(chunk, Bytes(24, 'N'));
  Append(chunk, Bytes(48, 0));
  RecordingModel model;
  ASSERT_TRUE(LoadProgram(model, chunk));
  EXPECT_EQ(Bytes(model.GetSelectedProgramName(), model.GetSelectedProgramName() + 24), Bytes(24, 'N'));
  EXPECT_EQ(SaveProgram(model), chunk);
}

TEST(ChunkLoad, ABankReplacesEveryProgramAndTheMapButAnnouncesOnlyTheSelectedProgram) {
  RecordingModel source;
  source.SetSelectedProgramIndex(7);
  source.SetParameterValue(4, 0.0f);
  source.SetSelectedProgramIndex(8);
  source.SetSelectedProgramName("Eight");
  source.RegisterMidiControllerMapping(74, 6);
  const Bytes bank = SaveBank(source);
  RecordingModel model;
  MakeDistinct(model);  // selected program 7, controllers 11 and 12 mapped
  model.StartLearningMidi(3);
  Lines traces;
  {
    TraceCapture capture;
    ASSERT_TRUE(LoadBank(model, bank));
    traces = capture.Lines();
  }
  EXPECT_EQ(traces, (Lines{"Model::DeserializeBank\r\n", "Model::ReadHeader\r\n",
                           "Model::ClearMidiControllerMap\r\n", "Model::RegisterMidiControllerMapping\r\n"}));
  EXPECT_EQ(SaveBank(model), bank);
  EXPECT_EQ(model.GetSelectedProgramIndex(), 7);
  EXPECT_TRUE(model.IsLearningMidi());
  EXPECT_FALSE(model.IsMidiControllerMapped(11));
  EXPECT_EQ(model.ControllerToParameter(74), 6);
  ASSERT_EQ(model.events.size(), 12u);                    // program 7 only: old values (7 * 12 + i) / 1024
  EXPECT_EQ(model.events[0], "parameter 0 0.0820312 1");  // 84 / 1024
  EXPECT_EQ(model.events[4], "parameter 4 0.0859375 0");  // 88 / 1024
}

TEST(ChunkLoad, MapFlagsOtherThanOneCountAsMappedAndLaterEntriesWinAController) {
  RecordingModel source;
  Bytes bank = SaveBank(source);
  bank.resize(kMapOffset);
  // parameter 0: flag 0x02 then controller 5; parameter 3: 0xFF then 5 again; parameter 7: 1 then 127.
  Append(bank, {0x02, 0x05, 0x00, 0x00, 0xFF, 0x05, 0x00, 0x00, 0x00, 0x01, 0x7F, 0x00, 0x00, 0x00, 0x00});
  RecordingModel model;
  ASSERT_TRUE(LoadBank(model, bank));
  EXPECT_EQ(model.ControllerToParameter(5), 3);
  EXPECT_FALSE(model.HasMidiControllerMapping(0));  // the same controller went to parameter 3
  EXPECT_EQ(model.ParameterToController(7), 127);
}

TEST(ChunkLoad, AControllerNumberOutsideTheMapRefusesTheWholeBank) {
  RecordingModel source;
  source.SetParameterValue(0, 0.0f);
  source.RegisterMidiControllerMapping(74, 6);
  Bytes bank = SaveBank(source);
  bank[kMapOffset + 7] = 0x80;  // controller 128
  RecordingModel model;
  MakeDistinct(model);
  const Bytes before = SaveBank(model);
  EXPECT_FALSE(LoadBank(model, bank));
  EXPECT_EQ(SaveBank(model), before);
  EXPECT_TRUE(model.events.empty());
}

TEST(ChunkRoundTrip, RandomBanksLoadAndSaveUnchanged) {
  std::mt19937 random(20240611);
  for (int round = 0; round < 50; ++round) {
    const Bytes bank = RandomBank(random);
    RecordingModel model;
    model.SetSelectedProgramIndex(static_cast<int32_t>(random() % 32));
    ASSERT_TRUE(LoadBank(model, bank)) << round;
    ASSERT_EQ(SaveBank(model), bank) << round;
    RecordingModel copy;
    ASSERT_TRUE(LoadBank(copy, SaveBank(model)));
    ASSERT_EQ(SaveBank(copy), bank) << round;
    // Every program travels alone in a program chunk just as well.
    const int32_t p = static_cast<int32_t>(random() % 32);
    model.SetSelectedProgramIndex(p);
    const Bytes program = SaveProgram(model);
    ASSERT_EQ(
        Bytes(program.begin() + kHeaderSize, program.end()),
        Bytes(bank.begin() + static_cast<std::ptrdiff_t>(kHeaderSize + kProgramSize * static_cast<size_t>(p)),
              bank.begin() +
                  static_cast<std::ptrdiff_t>(kHeaderSize + kProgramSize * static_cast<size_t>(p + 1))));
    RecordingModel single;
    single.SetSelectedProgramIndex(31 - p);
    ASSERT_TRUE(LoadProgram(single, program));
    ASSERT_EQ(SaveProgram(single), program) << round;
  }
}

TEST(ChunkRoundTrip, RandomEditsSurviveSaveLoadSave) {
  std::mt19937 random(7);
  std::uniform_real_distribution<float> value(0.0f, 1.0f);
  for (int round = 0; round < 20; ++round) {
    RecordingModel model;
    for (int edit = 0; edit < 200; ++edit) {
      switch (random() % 4) {
        case 0:
          model.SetSelectedProgramIndex(static_cast<int32_t>(random() % 32));
          break;
        case 1:
          model.SetParameterValue(static_cast<int32_t>(random() % 12), value(random));
          break;
        case 2:
          model.SetSelectedProgramName(std::to_string(random()).c_str());
          break;
        default:
          model.RegisterMidiControllerMapping(static_cast<uint8_t>(random() % 128),
                                              static_cast<int32_t>(random() % 12));
          break;
      }
    }
    const Bytes first = SaveBank(model);
    RecordingModel loaded;
    ASSERT_TRUE(LoadBank(loaded, first));
    const Bytes second = SaveBank(loaded);
    ASSERT_EQ(second, first) << round;
    for (int32_t p = 0; p < 32; ++p) {
      for (int32_t i = 0; i < 12; ++i) {
        ASSERT_EQ(Bits(loaded.GetProgramParameterValue(p, i)), Bits(model.GetProgramParameterValue(p, i)));
      }
    }
  }
}
