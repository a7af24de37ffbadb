#include "delay/DelayLine.h"

#include <gtest/gtest.h>

namespace {

// Writes 10, 20, ..., 10 * count into the line.
void WriteRamp(DelayLine& line, int count) {
  for (int i = 1; i <= count; ++i) {
    line.Write(10.0f * static_cast<float>(i));
  }
}

TEST(DelayLine, WholeDelaysReadTheSampleWrittenThatManyFramesAgo) {
  DelayLine line(8);
  WriteRamp(line, 10);  // holds 30..100; 100 was written 1 frame ago, 30 eight frames ago
  EXPECT_EQ(line.WriteIndex(), 2);
  EXPECT_EQ(line.Read(1.0f), 100.0f);
  EXPECT_EQ(line.Read(3.0f), 80.0f);
  EXPECT_EQ(line.Read(8.0f), 30.0f);
  // 0 reads the oldest sample, the same one as a full-line delay.
  EXPECT_EQ(line.Read(0.0f), 30.0f);
}

TEST(DelayLine, FractionMovesTowardTheNewerSample) {
  DelayLine line(8);
  WriteRamp(line, 10);
  // 2.25 frames: 90 (two frames ago) + (100 - 90) * 0.25.
  EXPECT_EQ(line.Read(2.25f), 92.5f);
  // Between 0 and 1 frame: from the oldest (30) toward the second oldest (40): 30 + 10 * 0.5.
  EXPECT_EQ(line.Read(0.5f), 35.0f);
  // The newer neighbour of the last cell is the first one: after 15 writes the oldest (80)
  // sits in cell 7 and the next newer one (90) in cell 0: 80 + 10 * 0.5.
  DelayLine wrap(8);
  WriteRamp(wrap, 15);
  EXPECT_EQ(wrap.WriteIndex(), 7);
  EXPECT_EQ(wrap.Read(0.5f), 85.0f);
}

TEST(DelayLine, DelaysBeyondTheLineReadTheOldestSample) {
  DelayLine line(8);
  WriteRamp(line, 10);
  EXPECT_EQ(line.Read(8.75f), 30.0f);
  EXPECT_EQ(line.Read(1e9f), 30.0f);
}

TEST(DelayLine, ResizeSilencesAndKeepsEveryPositionInside) {
  DelayLine line(16);
  WriteRamp(line, 3);
  line.Resize(8);
  EXPECT_EQ(line.WriteIndex(), 3);  // still inside: kept
  WriteRamp(line, 4);
  EXPECT_EQ(line.WriteIndex(), 7);
  line.Resize(4);
  EXPECT_EQ(line.WriteIndex(), 0);  // beyond the new end: restarts
  for (int32_t i = 0; i < line.Length(); ++i) {
    EXPECT_EQ(line.SampleAt(i), 0.0f);
  }
  line.Resize(-5);
  EXPECT_EQ(line.Length(), 0);
  EXPECT_EQ(line.WriteIndex(), 0);
}

TEST(DelayLine, ClearSilencesButKeepsThePosition) {
  DelayLine line(8);
  WriteRamp(line, 5);
  line.Clear();
  EXPECT_EQ(line.WriteIndex(), 5);
  for (int32_t i = 0; i < line.Length(); ++i) {
    EXPECT_EQ(line.SampleAt(i), 0.0f);
  }
}

}  // namespace
