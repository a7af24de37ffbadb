#include "delay/QuorvelDelayModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "delay/DelayParameterTable.h"
#include "tests/support/TraceCapture.h"

namespace {

namespace P = DelayParameter;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

std::vector<std::string> Displays(const QuorvelDelayModel& model) {
  std::vector<std::string> texts;
  for (int32_t i = 0; i < model.GetParameterCount(); ++i) {
    texts.emplace_back(model.GetParameterDisplay(i));
  }
  return texts;
}

std::string DisplayAt(QuorvelDelayModel& model, int32_t index, float value) {
  model.SetParameterValue(index, value);
  return model.GetParameterDisplay(index);
}

// Runs `frames` frames of a constant signal through the model's audio entry.
struct Block {
  explicit Block(size_t frames, float left = 0.25f, float right = -0.5f)
      : inL(frames, left), inR(frames, right), outL(frames, 9.0f), outR(frames, 9.0f) {}
  void Run(QuorvelDelayModel& model, int32_t offset = 0, int32_t count = -1) {
    float* inputs[2] = {inL.data(), inR.data()};
    float* outputs[2] = {outL.data(), outR.data()};
    model.Process(inputs, outputs, offset, count < 0 ? static_cast<int32_t>(inL.size()) : count);
  }
  std::vector<float> inL, inR, outL, outR;
};

bool LinesAreSilent(const DelayEngine& engine) {
  for (int32_t i = 0; i < engine.LeftLine().Length(); ++i) {
    if (engine.LeftLine().SampleAt(i) != 0.0f || engine.RightLine().SampleAt(i) != 0.0f) {
      return false;
    }
  }
  return true;
}

TEST(QuorvelDelayModel, ConstructionWritesItsTraceLinesInOrder) {
  QuorvelTest::TraceCapture capture;
  { QuorvelDelayModel model; }
  const std::string hook = "QuorvelDelayModel::OnParameterValueChanged\r\n";
  const std::string onOff = "Model::SetOnOffParameterDisplay\r\n";
  const std::string number = "Model::SetFloatParameterDisplay\r\n";
  const std::string text = "Model::SetParameterDisplay\r\n";
  const std::string toBool = "Model::NormalizedFloatToBool\r\n";
  const std::string toSelection = "Model::NormalizedFloatToSelection\r\n";
  // The model's own construction, then program 0 applied parameter by parameter with sync
  // off; each display operation writes its text through SetParameterDisplay.
  const std::vector<std::string> expected = {
      "Model::Model\r\n", "Model::ClearMidiControllerMap\r\n", "QuorvelDelayModel::QuorvelDelayModel\r\n",
      "QuorvelDelayModel::OnSelectedProgramChanged\r\n",
      hook, "QuorvelDelayModel::OnEnabledChanged\r\n", toBool, onOff, text,  // 0
      hook, number, text,                                                    // 1
      hook, number, text,                                                    // 2
      hook, "QuorvelDelayModel::OnSyncEnabledChanged\r\n", toBool, onOff, text,  // 3
      hook, toSelection, text,                                               // 4
      hook, toSelection, text,                                               // 5
      hook, number, text,                                                    // 6
      hook, "QuorvelDelayModel::OnFilterEnabledChanged\r\n", toBool, onOff, text,  // 7
      hook, number, text,                                                    // 8
      hook, toSelection, text,                                               // 9
      hook, "QuorvelDelayModel::OnPanEnabledChanged\r\n", toBool, onOff, text,  // 10
      hook, text,                                                            // 11
      "Model::~Model\r\n"};
  EXPECT_EQ(capture.Lines(), expected);
}

TEST(QuorvelDelayModel, StartsWithTheTableAndProgramZeroApplied) {
  QuorvelDelayModel model;
  EXPECT_STREQ(model.GetEffectName(), "Quorvel Delay");
  EXPECT_STREQ(model.GetVendorString(), "Quorvel Sound Design");
  EXPECT_STREQ(model.GetProductString(), "Quorvel Delay");
  EXPECT_EQ(model.GetUniqueId(), 0x51446C79);  // 'Q' 'D' 'l' 'y'
  EXPECT_EQ(model.GetVendorVersion(), 2700);
  EXPECT_EQ(model.GetPluginCategory(), 1);
  EXPECT_EQ(model.GetProgramCount(), 32);
  EXPECT_EQ(model.GetInputCount(), 2);
  EXPECT_EQ(model.GetOutputCount(), 2);
  ASSERT_EQ(model.GetParameterCount(), 12);

  const char* const kLong[] = {"Enabled",   "Left Delay",     "Right Delay", "Sync",
                               "Left Sync", "Right Sync",     "Feedback Level", "Filter",
                               "Cutoff Freq", "Filter Type",  "Pan",         "Wet/Dry Mix"};
  const char* const kShort[] = {"On", "LDT", "RDT", "SOn", "LSRes", "RSRes", "FB", "FOn", "CFreq", "FType", "POn", "Mix"};
  const float kDefaults[] = {1.0f, 1.0f, 0.5f, 0.0f, 0.5f, 0.5f, 0.0f, 0.0f, 0.5f, 0.0f, 0.0f, 0.5f};
  for (int32_t i = 0; i < 12; ++i) {
    EXPECT_STREQ(model.GetParameterLongName(i), kLong[i]);
    EXPECT_STREQ(model.GetParameterShortName(i), kShort[i]);
    EXPECT_STREQ(model.GetParameterLabel(i), i == 1 || i == 2 ? "Secs" : i == 8 ? "Hz" : "");
    for (int32_t program = 0; program < 32; ++program) {
      ASSERT_EQ(model.GetProgramParameterValue(program, i), kDefaults[i]);
    }
  }
  for (int32_t program = 0; program < 32; ++program) {
    EXPECT_STREQ(model.GetProgramName(program), "Blank");
  }

  // 0.5^2 = 0.25 s; cutoff 0.25 * 9980 + 20 = 2515 Hz; mix -100 - trunc(0.5 * -200) = 0.
  EXPECT_EQ(Displays(model), (std::vector<std::string>{"On", "1.00", "0.25", "Off", "1/8", "1/8", "0.00", "Off",
                                                       "2515.00", "Low", "Off", "0"}));
  const DelayEngine& engine = model.Engine();
  EXPECT_EQ(engine.LeftDelaySeconds(), 1.0f);
  EXPECT_EQ(engine.RightDelaySeconds(), 0.25f);
  EXPECT_EQ(engine.feedback, 0.0f);
  EXPECT_FALSE(engine.filterEnabled);
  EXPECT_EQ(engine.Cutoff(), 2515.0f);
  EXPECT_EQ(engine.filterType, 0);
  EXPECT_FALSE(engine.panEnabled);
  EXPECT_EQ(engine.mix, 0.5f);
  EXPECT_EQ(model.LeftSyncIndex(), 2);
  EXPECT_TRUE(model.IsEnabled());
  EXPECT_FALSE(model.IsSyncEnabled());
}

TEST(QuorvelDelayModel, DisplaysOfTheEdgeValues) {
  QuorvelDelayModel model;
  // trunc(5v), with 5 becoming 4.
  EXPECT_EQ(DisplayAt(model, P::kLeftSync, 0.0f), "1/32");
  EXPECT_EQ(DisplayAt(model, P::kLeftSync, 0.5f), "1/8");
  EXPECT_EQ(DisplayAt(model, P::kLeftSync, 1.0f), "1/2");
  EXPECT_EQ(DisplayAt(model, P::kRightSync, 0.2f), "1/16");
  EXPECT_EQ(DisplayAt(model, P::kFilterType, 0.49f), "Low");
  EXPECT_EQ(DisplayAt(model, P::kFilterType, 0.5f), "High");
  EXPECT_EQ(model.Engine().filterType, 1);
  // -100 - trunc(v * -200): 0.6 * -200 rounds to -120.0000076 in float, truncated to -120.
  EXPECT_EQ(DisplayAt(model, P::kMix, 0.0f), "-100");
  EXPECT_EQ(DisplayAt(model, P::kMix, 0.25f), "-50");
  EXPECT_EQ(DisplayAt(model, P::kMix, 0.5f), "0");
  EXPECT_EQ(DisplayAt(model, P::kMix, 0.6f), "+20");
  EXPECT_EQ(DisplayAt(model, P::kMix, 1.0f), "+100");
  // 1 * 9980 + 20 = 10000 Hz, "10000.00" cut to seven characters; 0 gives 20 Hz.
  EXPECT_EQ(DisplayAt(model, P::kCutoff, 1.0f), "10000.0");
  EXPECT_EQ(model.Engine().Cutoff(), 10000.0f);
  EXPECT_EQ(DisplayAt(model, P::kCutoff, 0.0f), "20.00");
  EXPECT_EQ(DisplayAt(model, P::kLeftDelay, 0.0f), "0.00");
  EXPECT_EQ(model.Engine().LeftDelaySeconds(), 0.0f);
  EXPECT_EQ(DisplayAt(model, P::kFeedback, 0.5f), "0.25");
  EXPECT_EQ(DisplayAt(model, P::kEnabled, 0.49f), "Bypass");
  EXPECT_EQ(DisplayAt(model, P::kEnabled, 0.5f), "On");
  EXPECT_EQ(DisplayAt(model, P::kPan, 0.7f), "On");
  EXPECT_TRUE(model.Engine().panEnabled);
  EXPECT_EQ(DisplayAt(model, P::kFilter, 0.2f), "Off");
}

TEST(QuorvelDelayModel, ValuesOutsideTheRangeAreHeldToIt) {
  QuorvelDelayModel model;
  EXPECT_EQ(DisplayAt(model, P::kLeftSync, kNaN), "1/32");
  EXPECT_EQ(DisplayAt(model, P::kRightSync, 7.0f), "1/2");
  EXPECT_EQ(model.RightSyncIndex(), 4);
  EXPECT_EQ(DisplayAt(model, P::kLeftSync, -kInfinity), "1/32");
  EXPECT_EQ(DisplayAt(model, P::kFilterType, 2.0f), "High");
  EXPECT_EQ(DisplayAt(model, P::kFilterType, -3.0f), "Low");
  EXPECT_EQ(DisplayAt(model, P::kMix, 3.0f), "+100");
  EXPECT_EQ(model.Engine().mix, 1.0f);
  EXPECT_EQ(DisplayAt(model, P::kMix, kNaN), "-100");
  EXPECT_EQ(model.Engine().mix, 0.0f);
  EXPECT_EQ(DisplayAt(model, P::kLeftDelay, kNaN), "0.00");
  EXPECT_EQ(DisplayAt(model, P::kRightDelay, -2.0f), "0.00");  // not (-2)^2
  EXPECT_EQ(DisplayAt(model, P::kRightDelay, kInfinity), "1.00");
  EXPECT_EQ(model.Engine().RightDelaySeconds(), 1.0f);
  EXPECT_EQ(DisplayAt(model, P::kFeedback, 1e30f), "1.00");
  EXPECT_EQ(DisplayAt(model, P::kCutoff, kNaN), "20.00");
  EXPECT_EQ(DisplayAt(model, P::kEnabled, kNaN), "Bypass");
  // Stored values are kept exactly as given; only their use is limited.
  EXPECT_EQ(model.GetParameterValue(P::kFeedback), 1e30f);
  model.SetParameterValue(P::kEnabled, 1.0f);
  Block block(256);
  block.Run(model);
  for (float sample : block.outL) {
    ASSERT_TRUE(std::isfinite(sample));
  }
}

TEST(QuorvelDelayModel, SyncedDelaysFollowTheTempo) {
  QuorvelDelayModel model;
  model.SetParameterValue(P::kLeftSync, 0.5f);   // 1/8
  model.SetParameterValue(P::kRightSync, 0.6f);  // trunc(3.0000002) = 3: 1/4
  model.SetParameterValue(P::kSync, 1.0f);
  // 60 / 120 / 2 = 0.25 s and 60 / 120 / 1 = 0.5 s.
  EXPECT_EQ(model.Engine().LeftDelaySeconds(), 0.25f);
  EXPECT_EQ(model.Engine().RightDelaySeconds(), 0.5f);
  EXPECT_EQ(model.Engine().LeftRamp().TargetSamples(), 11025.0f);

  QuorvelTest::TraceCapture capture;
  model.SetTempo(90.0);  // 60 / 90 / 2 = 1/3 s
  EXPECT_EQ(capture.Lines(), (std::vector<std::string>{
                                 "QuorvelDelayModel::OnTempoChanged\r\n", "QuorvelDelayModel::SyncLeftDelay\r\n",
                                 "Model::GetTempo\r\n", "QuorvelDelayModel::SyncRightDelay\r\n", "Model::GetTempo\r\n"}));
  EXPECT_EQ(model.Engine().LeftDelaySeconds(), static_cast<float>(60.0 / 90.0 / 2.0));
  model.SetTempo(60.0);
  model.SetParameterValue(P::kRightSync, 1.0f);  // 1/2 at 60 bpm: 2 s, held at 1 s
  EXPECT_EQ(model.Engine().RightDelaySeconds(), 1.0f);
  EXPECT_EQ(model.Engine().LeftDelaySeconds(), 0.5f);
  // The delay displays keep showing the free times.
  EXPECT_STREQ(model.GetParameterDisplay(P::kLeftDelay), "1.00");
}

TEST(QuorvelDelayModel, TempoThatIsNotAPositiveNumberKeepsSyncedDelaysInRange) {
  QuorvelDelayModel model;
  model.SetParameterValue(P::kLeftSync, 0.0f);  // 1/32, the shortest note
  model.SetParameterValue(P::kSync, 1.0f);
  const struct {
    double tempo;
    float seconds;
  } kCases[] = {{0.0, 1.0f},
                {-120.0, 1.0f},
                {-std::numeric_limits<double>::infinity(), 1.0f},
                {std::numeric_limits<double>::infinity(), 0.0f},
                {1e300, 0.0f},
                {480.0, 0.015625f}};  // 60 / 480 / 8
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.tempo);
    model.SetTempo(c.tempo);
    EXPECT_EQ(model.Engine().LeftDelaySeconds(), c.seconds);
  }
  model.SetTempo(std::numeric_limits<double>::quiet_NaN());  // never taken as a change
  EXPECT_EQ(model.GetTempo(), 480.0);
}

TEST(QuorvelDelayModel, TurningSyncOffRestoresTheLatestFreeTimes) {
  QuorvelDelayModel model;
  model.SetParameterValue(P::kSync, 1.0f);
  model.SetParameterValue(P::kLeftDelay, 0.3f);  // changed while synced: remembered only
  model.SetParameterValue(P::kRightDelay, 0.9f);
  EXPECT_EQ(model.Engine().LeftDelaySeconds(), 0.25f);  // still the 1/8 note at 120 bpm
  model.SetParameterValue(P::kSync, 0.0f);
  EXPECT_EQ(model.Engine().LeftDelaySeconds(), 0.3f * 0.3f);
  EXPECT_EQ(model.Engine().RightDelaySeconds(), 0.9f * 0.9f);
}

TEST(QuorvelDelayModel, BypassAndStoppedTransportPassTheInputThroughAndClearTheLines) {
  QuorvelDelayModel model;
  model.SetParameterValue(P::kFeedback, 0.9f);
  Block warm(4096);
  warm.Run(model);
  ASSERT_FALSE(LinesAreSilent(model.Engine()));

  model.SetParameterValue(P::kEnabled, 0.0f);
  EXPECT_TRUE(LinesAreSilent(model.Engine()));
  Block bypassed(1000, 0.3f, -0.7f);
  bypassed.Run(model);
  EXPECT_EQ(bypassed.outL, bypassed.inL);
  EXPECT_EQ(bypassed.outR, bypassed.inR);
  EXPECT_TRUE(LinesAreSilent(model.Engine()));  // the engine did not run

  model.SetParameterValue(P::kEnabled, 1.0f);
  warm.Run(model);
  ASSERT_FALSE(LinesAreSilent(model.Engine()));
  model.SetPlaying(false);
  EXPECT_TRUE(LinesAreSilent(model.Engine()));
  const float glide = model.Engine().LeftRamp().State();
  Block stopped(1000, 0.3f, -0.7f);
  stopped.Run(model);
  EXPECT_EQ(stopped.outL, stopped.inL);
  EXPECT_EQ(stopped.outR, stopped.inR);
  EXPECT_EQ(model.Engine().LeftRamp().State(), glide);  // the glide did not move

  model.SetPlaying(true);
  Block running(1000, 0.3f, -0.7f);
  running.Run(model);
  EXPECT_NE(running.outL, running.inL);  // mix 0.5 halves the dry signal
}

TEST(QuorvelDelayModel, SelectingAProgramAppliesAllOfItsValues) {
  QuorvelDelayModel model;
  model.SetSelectedProgramIndex(5);
  model.SetParameterValue(P::kSync, 1.0f);
  model.SetParameterValue(P::kLeftSync, 0.75f);  // trunc(3.75): 1/4
  model.SetParameterValue(P::kPan, 1.0f);
  model.SetParameterValue(P::kMix, 1.0f);
  model.SetParameterValue(P::kEnabled, 0.0f);
  model.SetSelectedProgramIndex(0);
  EXPECT_FALSE(model.IsSyncEnabled());
  EXPECT_EQ(model.Engine().LeftDelaySeconds(), 1.0f);
  EXPECT_FALSE(model.Engine().panEnabled);
  EXPECT_STREQ(model.GetParameterDisplay(P::kMix), "0");

  Block warm(4096);
  warm.Run(model);
  ASSERT_FALSE(LinesAreSilent(model.Engine()));
  model.SetSelectedProgramIndex(5);  // "Enabled" below 0.5 clears the lines
  EXPECT_TRUE(LinesAreSilent(model.Engine()));
  EXPECT_TRUE(model.IsSyncEnabled());
  EXPECT_EQ(model.Engine().LeftDelaySeconds(), 0.5f);  // 1/4 at 120 bpm
  EXPECT_TRUE(model.Engine().panEnabled);
  EXPECT_EQ(Displays(model), (std::vector<std::string>{"Bypass", "1.00", "0.25", "On", "1/4", "1/8", "0.00", "Off",
                                                       "2515.00", "Low", "On", "+100"}));
}

TEST(QuorvelDelayModel, ProcessesOnlyTheFramesItIsGiven) {
  QuorvelDelayModel model;
  model.SetParameterValue(P::kEnabled, 0.0f);
  Block block(64);
  block.Run(model, 16, 32);
  for (size_t i = 0; i < 64; ++i) {
    const bool inside = i >= 16 && i < 48;
    ASSERT_EQ(block.outL[i], inside ? block.inL[i] : 9.0f) << i;
    ASSERT_EQ(block.outR[i], inside ? block.inR[i] : 9.0f) << i;
  }
}

TEST(QuorvelDelayModel, SampleRateReachesTheEngine) {
  QuorvelDelayModel model;
  QuorvelTest::TraceCapture capture;
  model.SetSampleRate(96000.0f);
  EXPECT_EQ(capture.Lines(),
            (std::vector<std::string>{"Model::SetSampleRate\r\n", "QuorvelDelayModel::OnSampleRateChanged\r\n"}));
  EXPECT_EQ(model.Engine().LeftLine().Length(), 96000);
  EXPECT_EQ(model.Engine().LeftRamp().TargetSamples(), 96000.0f);

  model.SetSampleRate(0.0f);  // no usable line: the input passes through
  Block block(512);
  block.Run(model);
  EXPECT_EQ(block.outL, block.inL);
  EXPECT_EQ(block.outR, block.inR);
}

}  // namespace
