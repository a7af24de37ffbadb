#include <gtest/gtest.h>

#include <string>

#include "delay/DelayParameterTable.h"
#include "delay/QuorvelDelayModel.h"

namespace {

namespace P = DelayParameter;

// One model's displays are the reference; another, never set, answers for any value, so
// its texts cannot come from its own live state.
TEST(QuorvelDelayTexts, EveryValuesTextIsItsDisplayAndReadsBackToAValueShowingIt) {
  QuorvelDelayModel shown;
  const QuorvelDelayModel asked;
  for (int32_t p = 0; p < P::kCount; ++p) {
    for (int i = -20; i <= 1020; ++i) {  // 1,001 values from 0 to 1, and some beyond each end
      const float v = static_cast<float>(i) / 1000.0f;
      shown.SetParameterValue(p, v);
      const std::string text = asked.FormatParameterValue(p, v);
      ASSERT_EQ(text, std::string(shown.GetParameterDisplay(p))) << "parameter " << p << " at " << v;
      float back = -1.0f;
      ASSERT_TRUE(asked.ParseParameterValue(p, text.c_str(), back)) << text;
      ASSERT_EQ(std::string(asked.FormatParameterValue(p, back)), text) << "parameter " << p << " at " << v;
    }
  }
}

TEST(QuorvelDelayTexts, ReadsNamesInAnyCaseAndNumbersWithTheirLabelHeldToTheRange) {
  const QuorvelDelayModel model;
  const auto read = [&](int32_t p, const char* text) {
    float v = -1.0f;
    return model.ParseParameterValue(p, text, v) ? v : -1.0f;
  };
  EXPECT_EQ(read(P::kEnabled, " BYpass "), 0.0f);
  EXPECT_EQ(read(P::kLeftSync, "1/8"), 0.5f);         // choice 2 of 5: 2 / 4
  EXPECT_EQ(read(P::kLeftDelay, "0.25 secs"), 0.5f);  // 0.5 x 0.5 seconds
  EXPECT_EQ(read(P::kCutoff, "2515Hz"), 0.5f);        // (2515 - 20) / 9980 = 0.25 = 0.5 x 0.5
  EXPECT_EQ(read(P::kMix, "+20"), 0.6025f);           // the middle of the values showing +20: 120.5 / 200
  EXPECT_EQ(read(P::kMix, "-300"), 0.0f);
  EXPECT_EQ(read(P::kLeftDelay, "0.5 Hz"), -1.0f);
  for (int32_t p = 0; p < P::kCount; ++p) {
    for (const char* garbage : {"", "  ", "abc", "nan", "inf", "1e999", "1/3", "On Off", "0.5x"}) {
      EXPECT_EQ(read(p, garbage), -1.0f) << "parameter " << p << " read '" << garbage << "'";
    }
  }
}

}  // namespace
