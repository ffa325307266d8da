#include "common/CodePage932.h"

#include <gtest/gtest.h>

TEST(IsLeadByte932, BoundariesOfTheTwoLeadRanges) {
  const struct { unsigned char byte; bool lead; } cases[] = {
      {0x5C, false}, {0x80, false}, {0x81, true}, {0x9F, true},  {0xA0, false},
      {0xDF, false}, {0xE0, true},  {0xFC, true}, {0xFD, false}, {0xFF, false}};
  for (const auto& c : cases) EXPECT_EQ(c.lead, IsLeadByte932(c.byte)) << int(c.byte);
}
