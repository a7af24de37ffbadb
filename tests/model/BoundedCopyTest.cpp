#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "model/BoundedCopy.h"

using VstToolkit::BoundedCopy;

TEST(BoundedCopy, PadsWithZerosAndForcesTheLastByteToNul) {
  char field[8];
  std::memset(field, 'z', sizeof field);
  BoundedCopy(field, "ab", sizeof field);
  EXPECT_EQ(std::string(field, 8), std::string("ab\0\0\0\0\0\0", 8));
  BoundedCopy(field, "abcdefghij", sizeof field);
  EXPECT_EQ(std::string(field, 8), std::string("abcdefg\0", 8));
  BoundedCopy(field, nullptr, sizeof field);
  EXPECT_EQ(std::string(field, 8), std::string(8, '\0'));
}

TEST(BoundedCopy, ReadsNoMoreThanTheWidthOfAnUnterminatedSource) {
  const char source[4] = {'w', 'x', 'y', 'z'};  // no terminator: a name loaded from a chunk
  char field[4];
  BoundedCopy(field, source, sizeof field);
  EXPECT_EQ(std::string(field, 4), std::string("wxy\0", 4));
}
