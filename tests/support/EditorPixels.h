#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace QuorvelTest {

// The editor's pixels at 1x as every format's editor test reads them, and what may differ
// between formats: only the footer's format name. Test thread only.
class EditorPixels final {
 public:
  static constexpr int kWidth = 496;
  static constexpr int kHeight = 344;

  // `vst2` and `format`, each kWidth x kHeight RGB pixels row by row, differ (in more than
  // a few pixels) inside the footer's format name and nowhere else.
  static void ExpectOnlyTheFormatNameDiffers(const std::vector<uint32_t>& vst2, const std::vector<uint32_t>& format) {
    ASSERT_EQ(vst2.size(), static_cast<std::size_t>(kWidth * kHeight));
    ASSERT_EQ(format.size(), vst2.size());
    int differing = 0;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        const std::size_t at = static_cast<std::size_t>(y * kWidth + x);
        if (((vst2[at] ^ format[at]) & 0xFFFFFF) == 0) continue;
        ++differing;
        ASSERT_TRUE(x >= 108 && x < 164 && y >= 320 && y < 336) << "differs at " << x << ", " << y;
      }
    }
    EXPECT_GT(differing, 20);
  }
};

}  // namespace QuorvelTest
