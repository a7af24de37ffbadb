#include <gtest/gtest.h>

#include <cstdint>

#include "model/MidiQueue.h"

namespace {

using VstToolkit::MidiMessage;
using VstToolkit::MidiQueue;

// Filled and emptied in turns that wrap around its storage, then grown while
// wrapped: messages leave in the order they came, and the storage only grows
// when more messages wait at once than ever before.
TEST(MidiQueue, KeepsOrderAcrossWrapsAndGrowthAndKeepsItsStorage) {
  MidiQueue queue;
  int32_t pushed = 0;
  int32_t popped = 0;
  auto push = [&](int32_t n) {
    for (int32_t i = 0; i < n; ++i) queue.Push(MidiMessage{pushed++, 0xB0, 7, 1});
  };
  auto pop = [&](int32_t n) {
    for (int32_t i = 0; i < n; ++i) ASSERT_EQ(queue.Pop().deltaFrames, popped++);
  };
  push(40);
  const std::size_t capacity = queue.Capacity();
  for (int round = 0; round < 100; ++round) {
    pop(25);
    push(25);
  }
  EXPECT_EQ(queue.Capacity(), capacity);
  push(static_cast<int32_t>(capacity));  // more than ever at once, while wrapped
  EXPECT_GT(queue.Capacity(), capacity);
  pop(static_cast<int32_t>(queue.Size()));
  EXPECT_TRUE(queue.Empty());
  EXPECT_EQ(popped, pushed);
}

}  // namespace
