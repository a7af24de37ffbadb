#include "delay/SoftSaturator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/support/FloatBits.h"

namespace {

using QuorvelTest::Bits;

TEST(SoftSaturator, LinearUpTo072ThenBendingTowardOne) {
  EXPECT_EQ(SoftSaturate(0.5f), 0.5f);
  EXPECT_EQ(SoftSaturate(-0.72f), -0.72f);
  // f32(f32(f32(1 - f32(0.72 / x)) * 0.27999997) + 0.72), golden_values.py:
  EXPECT_EQ(Bits(SoftSaturate(1.0f)), 0x3F4C63F2u);   // 0.79840004
  EXPECT_EQ(Bits(SoftSaturate(2.0f)), 0x3F6631F9u);   // 0.89920002
  EXPECT_EQ(Bits(SoftSaturate(-2.0f)), 0xBF6631F9u);  // odd symmetry
}

TEST(SoftSaturator, NeverExceedsOneAndReachesItOnlyForHugeInputs) {
  // 0.72 / 1e7 vanishes next to 1, and 0.27999997 + 0.72 rounds to exactly 1.
  EXPECT_EQ(SoftSaturate(1e7f), 1.0f);
  EXPECT_EQ(SoftSaturate(-std::numeric_limits<float>::max()), -1.0f);
  EXPECT_EQ(SoftSaturate(std::numeric_limits<float>::infinity()), 1.0f);
  float previous = 0.0f;
  for (float x = 0.0f; x < 1e8f; x = x * 1.001f + 1e-3f) {
    const float y = SoftSaturate(x);
    ASSERT_LE(y, 1.0f) << x;
    ASSERT_GE(y, previous) << x;  // monotonic: no fold-back at the knee or beyond
    ASSERT_EQ(SoftSaturate(-x), -y) << x;
    previous = y;
  }
}

}  // namespace
