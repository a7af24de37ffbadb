#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <tuple>

#include "delay/QuorvelDelayModel.h"
#include "instance/InstanceCore.h"

namespace {

using VstToolkit::InstanceCore;

struct Settings {
  float left, right, feedback, cutoff, mix;
  int32_t filterType;
  bool enabled, sync, filter, pan;
  int32_t leftNote, rightNote;
  std::string texts;

  bool operator==(const Settings& o) const {
    // The mix stays a normalised value, which units near the middle cannot always name.
    return std::fabs(mix - o.mix) <= 0x1p-20f &&
           std::tie(left, right, feedback, cutoff, filterType, enabled, sync, filter, pan, leftNote,
                    rightNote, texts) == std::tie(o.left, o.right, o.feedback, o.cutoff, o.filterType,
                                                  o.enabled, o.sync, o.filter, o.pan, o.leftNote, o.rightNote,
                                                  o.texts);
  }
};

Settings SettingsOf(InstanceCore& core) {
  auto& model = static_cast<QuorvelDelayModel&>(core.GetModel());
  const DelayEngine& engine = model.Engine();
  Settings s{engine.LeftDelaySeconds(),
             engine.RightDelaySeconds(),
             engine.feedback,
             engine.Cutoff(),
             engine.mix,
             engine.filterType,
             model.IsEnabled(),
             model.IsSyncEnabled(),
             engine.filterEnabled,
             engine.panEnabled,
             model.LeftSyncIndex(),
             model.RightSyncIndex(),
             ""};
  for (int32_t i = 0; i < core.GetParameterCount(); ++i) {
    char text[8];
    core.GetParameterDisplay(i, text, 8);
    s.texts += text;
    s.texts += '|';
  }
  return s;
}

// A host sending, in units, what each normalised value stands for leaves the delay exactly
// as the value itself does; the units read back to themselves, and the value they stand for
// to within the arithmetic's reach.
TEST(InstanceCoreUnits, ValuesSentInUnitsSetWhatTheirNormalisedValuesSet) {
  InstanceCore byValue(std::make_unique<QuorvelDelayModel>());
  InstanceCore byUnits(std::make_unique<QuorvelDelayModel>());
  std::mt19937 random(2718);
  std::uniform_real_distribution<float> uniform(0.0f, 1.0f);
  for (int32_t round = 0; round < 400; ++round) {
    for (int32_t i = 0; i < 12; ++i) {
      const float v = round == 0 ? 0.0f : (round == 1 ? 1.0f : uniform(random));
      const float units = byValue.ValueToUnits(i, v);
      byValue.SetParameter(i, v);
      byUnits.SetParameterInUnits(i, units);
      const float back = byUnits.GetParameter(i);
      ASSERT_EQ(byUnits.ValueToUnits(i, back), units) << i << " " << v;
      const VstToolkit::ParameterDetails details = byValue.GetParameterDetails(i);
      if (details.kind == VstToolkit::ParameterKind::kContinuous) {
        ASSERT_NEAR(back, v, 0x1p-20f) << i;
      }
    }
    ASSERT_EQ(SettingsOf(byValue), SettingsOf(byUnits)) << round;
  }

  // Units past the range are held to it; a NaN changes nothing.
  const float mix = byUnits.GetParameter(11);
  byUnits.SetParameterInUnits(8, 25000.0f);
  byUnits.SetParameterInUnits(11, std::nanf(""));
  byUnits.SetParameterInUnits(4, -3.0f);
  EXPECT_EQ(byUnits.GetParameter(8), 1.0f);
  EXPECT_EQ(byUnits.GetParameter(11), mix);
  EXPECT_EQ(byUnits.GetParameter(4), 0.0f);
  EXPECT_EQ(static_cast<QuorvelDelayModel&>(byUnits.GetModel()).Engine().Cutoff(), 10000.0f);
  EXPECT_TRUE(std::isnan(byUnits.UnitsToValue(1, std::nanf(""))));
}

TEST(InstanceCoreUnits, DetailsGiveTheRangeUnitAndDefaultInUnits) {
  InstanceCore core(std::make_unique<QuorvelDelayModel>());
  const struct {
    int32_t index;
    float minimum, maximum, defaultUnits;
    const char* unit;
  } expected[] = {{0, 0, 1, 1, ""},           {2, 0, 1, 0.25f, "s"}, {4, 0, 4, 2, ""},
                  {8, 20, 10000, 2515, "Hz"}, {9, 0, 1, 0, ""},      {11, -100, 100, 0, ""}};
  for (const auto& e : expected) {
    const VstToolkit::ParameterDetails d = core.GetParameterDetails(e.index);
    EXPECT_TRUE(d.minimum == e.minimum && d.maximum == e.maximum && d.defaultUnits == e.defaultUnits &&
                std::string(d.unit) == e.unit)
        << e.index;
  }
  // Choices k of n stand for k / (n - 1), the nearest whole number counting.
  EXPECT_EQ(core.UnitsToValue(4, 2.6f), 0.75f);
  EXPECT_EQ(core.UnitsToValue(3, 0.5f), 1.0f);
  EXPECT_EQ(core.UnitsToValue(3, 0.49f), 0.0f);
}

}  // namespace
