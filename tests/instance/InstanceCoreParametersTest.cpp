#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

#include "delay/QuorvelDelayModel.h"
#include "instance/InstanceCore.h"
#include "tests/support/TraceCapture.h"

namespace {

using VstToolkit::ParameterKind;

TEST(InstanceCoreParameters, DetailsAndTextsOfAnyValueLeaveTheLiveStateAndTheTraceAlone) {
  VstToolkit::InstanceCore core(std::make_unique<QuorvelDelayModel>());
  QuorvelTest::TraceCapture trace;
  constexpr ParameterKind S = ParameterKind::kSwitch, N = ParameterKind::kSelector,
                          C = ParameterKind::kContinuous;
  const ParameterKind kinds[12] = {S, C, C, S, N, N, C, S, C, N, S, C};
  const int32_t choices[12] = {2, 0, 0, 2, 5, 5, 0, 2, 0, 2, 2, 0};
  for (int32_t i = 0; i < 12; ++i) {
    const VstToolkit::ParameterDetails details = core.GetParameterDetails(i);
    EXPECT_TRUE(details.id == i && details.kind == kinds[i] && details.choiceCount == choices[i]) << i;
  }
  EXPECT_EQ(core.GetParameterDetails(2).defaultValue, 0.5f);
  EXPECT_EQ(core.GetParameterDetails(12).id, -1);

  char text[8];
  core.FormatParameterValue(8, 1.0f, text, 8);
  EXPECT_STREQ(text, "10000.0");  // 10000.00 in the display's seven characters
  core.FormatParameterValue(8, std::nanf(""), text, 8);
  EXPECT_STREQ(text, "");
  float value = 0.3f;
  char unterminated[80];
  std::memset(unterminated, '1', sizeof unterminated);
  EXPECT_FALSE(core.ParseParameterValue(1, nullptr, value) || core.ParseParameterValue(12, "1", value) ||
               core.ParseParameterValue(1, unterminated, value));
  EXPECT_EQ(value, 0.3f);

  EXPECT_TRUE(trace.Lines().empty());
  core.GetParameterDisplay(8, text, 8);
  EXPECT_STREQ(text, "2515.00");  // the default 0.5: 0.25 x 9980 + 20
}

}  // namespace
