#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "tests/model/RecordingModel.h"
#include "tests/support/TraceCapture.h"

using QuorvelTest::RecordingModel;
using QuorvelTest::TraceCapture;
using Lines = std::vector<std::string>;

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

// True when the field holds `text` and zero bytes in every position after it.
bool FieldIs(const char* field, size_t width, const char* text) {
  const size_t length = std::strlen(text);
  if (length >= width || std::memcmp(field, text, length) != 0) {
    return false;
  }
  for (size_t i = length; i < width; ++i) {
    if (field[i] != '\0') {
      return false;
    }
  }
  return true;
}

}  // namespace

TEST(ModelConstruction, TracesConstructionAndTheSecondMapClearThenDestruction) {
  TraceCapture capture;
  {
    RecordingModel model;
    EXPECT_EQ(capture.Lines(), (Lines{"Model::Model\r\n", "Model::ClearMidiControllerMap\r\n"}));
    capture.Clear();
  }
  EXPECT_EQ(capture.Lines(), (Lines{"Model::~Model\r\n"}));
}

TEST(ModelConstruction, IdentityComesFromTheDescriptionWithZeroPaddedFields) {
  RecordingModel model;
  EXPECT_TRUE(FieldIs(model.GetEffectName(), 32, "Quorvel Delay"));
  EXPECT_TRUE(FieldIs(model.GetVendorString(), 64, "Quorvel Sound Design"));
  EXPECT_TRUE(FieldIs(model.GetProductString(), 64, "Quorvel Delay"));
  EXPECT_EQ(model.GetUniqueId(), 0x51446C79);  // 'Q' 'D' 'l' 'y'
  EXPECT_EQ(model.GetVendorVersion(), 2700);
  EXPECT_EQ(model.GetPluginCategory(), 1);
  EXPECT_EQ(model.GetProgramCount(), 32);
  EXPECT_EQ(model.GetParameterCount(), 12);
  EXPECT_EQ(model.GetInputCount(), 2);
  EXPECT_EQ(model.GetOutputCount(), 2);
  EXPECT_TRUE(FieldIs(model.GetParameterLongName(1), 64, "Delay Left"));
  EXPECT_TRUE(FieldIs(model.GetParameterShortName(1), 8, "DlyL"));
  EXPECT_TRUE(FieldIs(model.GetParameterLabel(1), 8, "ms"));
}

TEST(ModelConstruction, FreshModelHas32BlankProgramsWithTheDefaultsAndEmptyDisplays) {
  RecordingModel model;
  const auto& parameters = QuorvelTest::TestDescription().parameters;
  for (int32_t p = 0; p < 32; ++p) {
    EXPECT_TRUE(FieldIs(model.GetProgramName(p), 24, "Blank")) << p;
    for (int32_t i = 0; i < 12; ++i) {
      EXPECT_EQ(model.GetProgramParameterValue(p, i), parameters[i].defaultValue) << p << " " << i;
    }
  }
  for (int32_t i = 0; i < 12; ++i) {
    EXPECT_TRUE(FieldIs(model.GetParameterDisplay(i), 8, "")) << i;
  }
  EXPECT_EQ(model.GetSelectedProgramIndex(), 0);
  EXPECT_TRUE(model.events.empty());  // the base constructor fires no hook
}

TEST(ModelConstruction, HostFactsStartAtTheirDefaults) {
  RecordingModel model;
  EXPECT_EQ(model.GetSampleRate(), 44100.0f);
  EXPECT_EQ(model.GetTempo(), 120.0);
  EXPECT_EQ(model.GetSongPosition(), 0.0);
  EXPECT_TRUE(model.IsPlaying());
  EXPECT_EQ(model.GetTimeSignatureNumerator(), 4);
  EXPECT_EQ(model.GetTimeSignatureDenominator(), 4);
  EXPECT_FALSE(model.IsLearningMidi());
}

TEST(ModelConstruction, OverlongDescriptionStringsAreCutToTheirFieldWidth) {
  const std::string longName(100, 'x');
  const VstToolkit::ParameterInfo parameter = {longName.c_str(), "ABCDEFGHIJ", "123456789", 0.0f};
  VstToolkit::PluginDescription description = QuorvelTest::TestDescription();
  description.effectName = longName.c_str();
  description.parameterCount = 1;
  description.parameters = &parameter;
  struct Plain final : VstToolkit::Model {
    using Model::Model;
    void Process(float**, float**, int32_t, int32_t) override {}
  } model(description);
  EXPECT_TRUE(FieldIs(model.GetEffectName(), 32, std::string(31, 'x').c_str()));
  EXPECT_TRUE(FieldIs(model.GetParameterLongName(0), 64, std::string(63, 'x').c_str()));
  EXPECT_TRUE(FieldIs(model.GetParameterShortName(0), 8, "ABCDEFG"));
  EXPECT_TRUE(FieldIs(model.GetParameterLabel(0), 8, "1234567"));
}

TEST(ModelParameters, EverySetFiresTheHookEvenWithAnUnchangedValue) {
  RecordingModel model;
  TraceCapture capture;
  model.SetParameterValue(6, 0.5f);  // the default already
  model.SetParameterValue(6, 0.75f);
  EXPECT_EQ(model.events, (Lines{"parameter 6 0.5 0.5", "parameter 6 0.5 0.75"}));
  EXPECT_EQ(capture.Lines(), (Lines{"Model::SetParameterValue\r\n", "Model::SetParameterValue\r\n"}));
  EXPECT_EQ(model.GetParameterValue(6), 0.75f);
}

TEST(ModelParameters, ValuesAreStoredExactlyAsGivenAndOnlyInTheSelectedProgram) {
  RecordingModel model;
  model.SetSelectedProgramIndex(3);
  model.SetParameterValue(0, 1.5f);
  model.SetParameterValue(1, -0.25f);
  model.SetParameterValue(2, kNaN);
  EXPECT_EQ(model.GetParameterValue(0), 1.5f);
  EXPECT_EQ(model.GetParameterValue(1), -0.25f);
  EXPECT_TRUE(std::isnan(model.GetParameterValue(2)));
  EXPECT_EQ(model.GetProgramParameterValue(2, 0), 1.0f);
  EXPECT_EQ(model.GetProgramParameterValue(4, 1), 0.5f);
  model.SetSelectedProgramIndex(2);
  EXPECT_EQ(model.GetParameterValue(0), 1.0f);  // switching programs changes no stored value
}

TEST(ModelPrograms, SelectingAnyProgramFiresTheHookEvenWhenAlreadySelected) {
  RecordingModel model;
  model.SetSelectedProgramIndex(0);
  model.SetSelectedProgramIndex(31);
  EXPECT_EQ(model.events, (Lines{"program 0 0", "program 0 31"}));
  EXPECT_EQ(model.GetSelectedProgramIndex(), 31);
}

TEST(ModelPrograms, ProgramNamesKeepAtMost23CharactersAndZeroTheRest) {
  RecordingModel model;
  model.SetSelectedProgramIndex(5);
  model.SetSelectedProgramName("Quite A Long Name For Twenty");  // 28 characters
  EXPECT_TRUE(FieldIs(model.GetSelectedProgramName(), 24, "Quite A Long Name For T"));
  model.SetSelectedProgramName("Dub");  // a shorter name leaves no tail of the longer one
  EXPECT_TRUE(FieldIs(model.GetProgramName(5), 24, "Dub"));
  EXPECT_TRUE(FieldIs(model.GetProgramName(0), 24, "Blank"));
}

TEST(ModelDisplays, DisplayTextsKeepSevenCharacters) {
  RecordingModel model;
  TraceCapture capture;
  model.SetParameterDisplay(0, "1234567890");
  EXPECT_TRUE(FieldIs(model.GetParameterDisplay(0), 8, "1234567"));
  model.SetFloatParameterDisplay(1, 10000.0f);  // "10000.00" loses its eighth character
  EXPECT_TRUE(FieldIs(model.GetParameterDisplay(1), 8, "10000.0"));
  model.SetFloatParameterDisplay(2, 0.25f);
  EXPECT_TRUE(FieldIs(model.GetParameterDisplay(2), 8, "0.25"));
  model.SetFloatParameterDisplay(3, -0.125f);  // "%.2f" rounds half to even: -0.12
  EXPECT_TRUE(FieldIs(model.GetParameterDisplay(3), 8, "-0.12"));
  model.SetOnOffParameterDisplay(4, true, "Bypass");
  EXPECT_TRUE(FieldIs(model.GetParameterDisplay(4), 8, "On"));
  model.SetOnOffParameterDisplay(4, false, "Bypass");
  EXPECT_TRUE(FieldIs(model.GetParameterDisplay(4), 8, "Bypass"));
  model.SetOnOffParameterDisplay(5, false, "Switched off");
  EXPECT_TRUE(FieldIs(model.GetParameterDisplay(5), 8, "Switche"));
  EXPECT_EQ(capture.Lines(), (Lines{
                                 "Model::SetParameterDisplay\r\n",
                                 "Model::SetFloatParameterDisplay\r\n",
                                 "Model::SetParameterDisplay\r\n",
                                 "Model::SetFloatParameterDisplay\r\n",
                                 "Model::SetParameterDisplay\r\n",
                                 "Model::SetFloatParameterDisplay\r\n",
                                 "Model::SetParameterDisplay\r\n",
                                 "Model::SetOnOffParameterDisplay\r\n",
                                 "Model::SetParameterDisplay\r\n",
                                 "Model::SetOnOffParameterDisplay\r\n",
                                 "Model::SetParameterDisplay\r\n",
                                 "Model::SetOnOffParameterDisplay\r\n",
                                 "Model::SetParameterDisplay\r\n",
                             }));
}

TEST(ModelDisplays, NonFiniteValuesShowTheSameTextOnEveryPlatform) {
  RecordingModel model;
  model.SetFloatParameterDisplay(0, kNaN);
  EXPECT_TRUE(FieldIs(model.GetParameterDisplay(0), 8, "nan"));
  model.SetFloatParameterDisplay(0, kInfinity);
  EXPECT_TRUE(FieldIs(model.GetParameterDisplay(0), 8, "inf"));
  model.SetFloatParameterDisplay(0, -kInfinity);
  EXPECT_TRUE(FieldIs(model.GetParameterDisplay(0), 8, "-inf"));
  // the float nearest 3e38 is 300000000549775575777803994281145270272: seven of its 39 digits survive
  model.SetFloatParameterDisplay(0, 3.0e38f);
  EXPECT_TRUE(FieldIs(model.GetParameterDisplay(0), 8, "3000000"));
}

TEST(ModelMapping, SwitchesTurnOnFromOneHalfAndNaNIsOff) {
  RecordingModel model;
  EXPECT_TRUE(model.NormalizedFloatToBool(0.5f));
  EXPECT_FALSE(model.NormalizedFloatToBool(0.49999997f));  // the float just below 0.5
  EXPECT_TRUE(model.NormalizedFloatToBool(1.0f));
  EXPECT_FALSE(model.NormalizedFloatToBool(kNaN));
}

TEST(ModelMapping, SelectionTruncatesAndFoldsOneOntoTheLastChoice) {
  RecordingModel model;
  // count 5: 0.19 * 5 = 0.95 -> 0; 0.2f * 5 rounds to exactly 1.0 -> 1; 0.999 * 5 = 4.995 -> 4; 1.0 -> 5
  // -> 4.
  EXPECT_EQ(model.NormalizedFloatToSelection(0.19f, 5), 0);
  EXPECT_EQ(model.NormalizedFloatToSelection(0.2f, 5), 1);
  EXPECT_EQ(model.NormalizedFloatToSelection(0.999f, 5), 4);
  EXPECT_EQ(model.NormalizedFloatToSelection(1.0f, 5), 4);
  EXPECT_EQ(model.NormalizedFloatToSelection(0.49999997f, 2), 0);
  EXPECT_EQ(model.NormalizedFloatToSelection(0.5f, 2), 1);
  EXPECT_EQ(model.NormalizedFloatToSelection(0.0f, 5), 0);
}

TEST(ModelMapping, SelectionStaysInRangeForValuesOutsideZeroToOne) {
  RecordingModel model;
  const float values[] = {-0.5f, -kInfinity, kNaN, -kNaN, 1.5f, kInfinity, 3.0e38f, -3.0e38f, -0.0f};
  const int32_t counts[] = {1, 2, 5, 14, 1000000};
  for (const int32_t count : counts) {
    for (const float value : values) {
      const int32_t selection = model.NormalizedFloatToSelection(value, count);
      EXPECT_GE(selection, 0) << value << " " << count;
      EXPECT_LT(selection, count) << value << " " << count;
    }
  }
  EXPECT_EQ(model.NormalizedFloatToSelection(-0.5f, 5), 0);
  EXPECT_EQ(model.NormalizedFloatToSelection(kNaN, 5), 0);
  EXPECT_EQ(model.NormalizedFloatToSelection(1.5f, 5), 4);
  EXPECT_EQ(model.NormalizedFloatToSelection(kInfinity, 5), 4);
  EXPECT_EQ(model.NormalizedFloatToSelection(0.5f, 0), 0);  // no choices at all
}

TEST(ModelHostFacts, SampleRateChangesOnlyOnARealDifference) {
  RecordingModel model;
  TraceCapture capture;
  model.SetSampleRate(44100.0f);
  model.SetSampleRate(48000.0f);
  model.SetSampleRate(kNaN);
  EXPECT_EQ(model.events, (Lines{"sampleRate 44100 48000"}));
  EXPECT_EQ(model.GetSampleRate(), 48000.0f);
  EXPECT_EQ(capture.Lines(), (Lines(3, "Model::SetSampleRate\r\n")));
}

TEST(ModelHostFacts, TempoPositionPlayingAndSignatureFireOnlyOnChange) {
  RecordingModel model;
  TraceCapture capture;
  model.SetTempo(120.0);
  model.SetTempo(90.0);
  model.SetTempo(90.0);
  model.SetTempo(std::nan(""));
  model.SetSongPosition(0.0);
  model.SetSongPosition(16.5);
  model.SetSongPosition(std::nan(""));
  model.SetPlaying(true);
  model.SetPlaying(false);
  model.SetPlaying(false);
  model.SetTimeSignature(4, 4);
  model.SetTimeSignature(3, 4);
  model.SetTimeSignature(3, 8);
  EXPECT_EQ(model.events, (Lines{"tempo 120 90", "position 0 16.5", "playing 0", "timeSignature 4/4 3/4",
                                 "timeSignature 3/4 3/8"}));
  EXPECT_TRUE(capture.Lines().empty());  // the host-time setters write no trace
  EXPECT_EQ(model.GetTempo(), 90.0);
  EXPECT_EQ(model.GetSongPosition(), 16.5);
  EXPECT_FALSE(model.IsPlaying());
}

TEST(ModelTraces, IdentityAccessorsTraceAndPlainAccessorsDoNot) {
  RecordingModel model;
  TraceCapture capture;
  model.GetEffectName();
  model.GetVendorString();
  model.GetProductString();
  model.GetUniqueId();
  model.GetVendorVersion();
  model.GetPluginCategory();
  model.GetProgramCount();
  model.GetInputCount();
  model.GetOutputCount();
  model.GetParameterShortName(0);
  model.GetParameterLongName(0);
  model.NormalizedFloatToBool(0.0f);
  model.NormalizedFloatToSelection(0.0f, 2);
  model.GetTempo();
  model.IsPlaying();
  model.SetSelectedProgramName("x");
  model.SetSelectedProgramIndex(0);
  model.SetController(nullptr);
  // None of these trace.
  model.GetParameterCount();
  model.GetParameterValue(0);
  model.GetParameterLabel(0);
  model.GetParameterDisplay(0);
  model.GetSelectedProgramIndex();
  model.GetSelectedProgramName();
  model.GetSampleRate();
  EXPECT_EQ(capture.Lines(), (Lines{
                                 "Model::GetEffectName\r\n",
                                 "Model::GetVendorString\r\n",
                                 "Model::GetProductString\r\n",
                                 "Model::GetUniqueId\r\n",
                                 "Model::GetVendorVersion\r\n",
                                 "Model::GetPluginCategory\r\n",
                                 "Model::GetProgramCount\r\n",
                                 "Model::GetInputCount\r\n",
                                 "Model::GetOutputCount\r\n",
                                 "Model::GetParameterShortName\r\n",
                                 "Model::GetParameterLongName\r\n",
                                 "Model::NormalizedFloatToBool\r\n",
                                 "Model::NormalizedFloatToSelection\r\n",
                                 "Model::GetTempo\r\n",
                                 "Model::IsPlaying\r\n",
                                 "Model::SetSelectedProgramName\r\n",
                                 "Model::SetSelectedProgramIndex\r\n",
                                 "Model::SetController\r\n",
                             }));
}

// A float's display is printf's "%.2f" cut to the field, for every kind of value: ties at
// the rounding point, negatives and negative zero, subnormal, huge and not finite.
TEST(ModelDisplay, FloatDisplayIsPrintfsTwoDecimals) {
  std::vector<float> values = {0.0f, -0.0f, 0.125f, 0.375f, -0.625f, 0.005f, 2.675f, 1e-40f, 0.995f,
                               9.995f, 99999.99f, 1e20f, kNaN, kInfinity, -kInfinity};
  uint32_t bits = 12345;
  for (int i = 0; i < 100000; ++i) {
    bits = bits * 1664525u + 1013904223u;
    float random = 0.0f;
    std::memcpy(&random, &bits, sizeof random);
    values.push_back(random);
    values.push_back(static_cast<float>(i - 20000) / 800.0f);
  }
  for (const float value : values) {
    char expected[64];
    std::snprintf(expected, sizeof expected, "%.2f", static_cast<double>(value));
    expected[VstToolkit::DisplayText::kSize - 1] = '\0';
    ASSERT_STREQ(VstToolkit::Model::FloatDisplayOf(value).c_str(), expected) << value;
  }
}
