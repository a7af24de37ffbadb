#include <gtest/gtest.h>

#include <vector>

#include "model/ChunkBuffer.h"

using Bytes = std::vector<uint8_t>;
using VstToolkit::ChunkBuffer;

namespace {

Bytes Contents(const ChunkBuffer& chunk) {
  return Bytes(chunk.GetData(), chunk.GetData() + chunk.GetSize());
}

}  // namespace

TEST(ChunkBuffer, IntegersAndFloatsAreWrittenLeastSignificantByteFirst) {
  ChunkBuffer chunk;
  chunk.WriteInt(2700);      // 0x00000A8C
  chunk.WriteInt(-2);        // 0xFFFFFFFE
  chunk.WriteFloat(1.0f);    // 0x3F800000
  chunk.WriteFloat(-0.75f);  // sign, exponent 126, mantissa .5: 0xBF400000
  chunk.WriteByte(0x4A);
  EXPECT_EQ(Contents(chunk), (Bytes{0x8C, 0x0A, 0x00, 0x00, 0xFE, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x80, 0x3F,
                                    0x00, 0x00, 0x40, 0xBF, 0x4A}));
}

TEST(ChunkBuffer, CapacityDoublesUntilTheAppendFits) {
  ChunkBuffer chunk;
  EXPECT_EQ(chunk.GetCapacity(), 256u);
  const Bytes block(250, 0x11);
  chunk.Write(block.data(), 250);
  EXPECT_EQ(chunk.GetCapacity(), 256u);
  chunk.WriteInt(1);  // 254 bytes still fit
  chunk.WriteInt(2);  // 258 do not: 512
  EXPECT_EQ(chunk.GetCapacity(), 512u);
  const Bytes big(1500, 0x22);
  chunk.Write(big.data(), 1500);  // 1758 needs two doublings: 2048
  EXPECT_EQ(chunk.GetCapacity(), 2048u);
  EXPECT_EQ(chunk.GetSize(), 1758u);
  EXPECT_EQ(chunk.GetData()[249], 0x11);  // what was written survives the moves
  EXPECT_EQ(chunk.GetData()[254], 0x02);
}

TEST(ChunkBuffer, ClearingZeroesTheUsedBytesAndKeepsTheCapacity) {
  ChunkBuffer chunk;
  const Bytes big(300, 0x33);
  chunk.Write(big.data(), 300);
  const uint8_t* data = chunk.GetData();
  chunk.Clear();
  EXPECT_EQ(chunk.GetSize(), 0u);
  EXPECT_EQ(chunk.GetCapacity(), 512u);
  EXPECT_EQ(chunk.GetData(), data);
  EXPECT_EQ(Bytes(data, data + 300), Bytes(300, 0));
}

TEST(ChunkBuffer, ReadsCopyTheHostsBytesAndAShortReadConsumesWhatWasThere) {
  Bytes host = {0x8C, 0x0A, 0x00, 0x00, 0x00, 0x00, 0x80, 0x3F, 0x07, 0x01, 0x02};
  ChunkBuffer chunk(host.data(), static_cast<uint32_t>(host.size()));
  host[0] = 0;  // the buffer holds its own copy
  int32_t integer = 0;
  float real = 0.0f;
  uint8_t byte = 0;
  ASSERT_TRUE(chunk.ReadInt(integer));
  EXPECT_EQ(integer, 2700);
  ASSERT_TRUE(chunk.ReadFloat(real));
  EXPECT_EQ(real, 1.0f);
  ASSERT_TRUE(chunk.ReadByte(byte));
  EXPECT_EQ(byte, 7);
  EXPECT_FALSE(chunk.ReadInt(integer));  // two bytes left
  EXPECT_EQ(chunk.GetReadPosition(), 11u);
  EXPECT_FALSE(chunk.ReadByte(byte));
  uint8_t rest[4] = {};
  EXPECT_EQ(chunk.Read(rest, 4), 0u);
}

TEST(ChunkBuffer, AnEmptyHostChunkReadsNothing) {
  ChunkBuffer chunk(nullptr, 0);
  uint8_t byte = 0;
  EXPECT_EQ(chunk.GetSize(), 0u);
  EXPECT_FALSE(chunk.ReadByte(byte));
}
