#include <gtest/gtest.h>

#include <limits>

#include "tools/quorvel-host/HostedParameter.h"

namespace QuorvelHost {
namespace {

HostedParameter Of(HostedParameter::Kind kind, double min, double max, size_t texts = 0) {
  HostedParameter parameter;
  parameter.kind = kind;
  parameter.min = min;
  parameter.max = max;
  parameter.choices.assign(texts, "text");
  return parameter;
}

// The value a user gives (VST2's 0 to 1) must land where a VST2 plug-in would put it, so
// that every format renders the same sound from the same command line.
TEST(HostedParameterTest, UsersValuesLandWhereVst2PlugInsPutThem) {
  using Kind = HostedParameter::Kind;
  const HostedParameter steps = Of(Kind::kChoice, 0.0, 4.0);  // five choices as plain steps
  EXPECT_EQ(steps.PlainOf(0.0), 0.0);
  EXPECT_EQ(steps.PlainOf(0.2), 1.0);
  EXPECT_EQ(steps.PlainOf(0.5999999999), 3.0);  // 3 in single precision, as the plug-in sees it
  EXPECT_EQ(steps.PlainOf(0.6), 3.0);
  EXPECT_EQ(steps.PlainOf(0.99), 4.0);
  EXPECT_EQ(steps.PlainOf(1.0), 4.0);   // held to the last choice
  EXPECT_EQ(steps.PlainOf(-3.0), 0.0);
  EXPECT_EQ(steps.PlainOf(std::numeric_limits<double>::quiet_NaN()), 0.0);
  // Five listed choices spread over 0 to 1 (as scale points), and a switch from 0.5.
  EXPECT_EQ(Of(Kind::kChoice, 0.0, 1.0, 5).PlainOf(0.6), 0.75);
  EXPECT_EQ(Of(Kind::kSwitch, 0.0, 1.0).PlainOf(0.49), 0.0);
  EXPECT_EQ(Of(Kind::kSwitch, 0.0, 1.0).PlainOf(0.5), 1.0);
  EXPECT_EQ(Of(Kind::kBypass, 0.0, 1.0).PlainOf(1.0), 1.0);
  // Continuous values lie linearly over the range, held to it.
  EXPECT_EQ(Of(Kind::kContinuous, 20.0, 10000.0).PlainOf(0.5), 5010.0);
  EXPECT_EQ(Of(Kind::kContinuous, -100.0, 100.0).PlainOf(2.0), 100.0);
}

}  // namespace
}  // namespace QuorvelHost
