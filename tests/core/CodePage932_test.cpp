#include "common/CodePage932.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(IsLeadByte932, AcceptsOnlyTheTwoLeadRanges) {
  struct Case {
    unsigned char byte;
    bool lead;
  } const cases[] = {
      {0x00, false}, {0x5C, false}, {0x7F, false}, {0x80, false}, {0x81, true},
      {0x95, true},  {0x9F, true},  {0xA0, false}, {0xB1, false}, {0xDF, false},
      {0xE0, true},  {0xFC, true},  {0xFD, false}, {0xFF, false},
  };
  for (const Case& c : cases) EXPECT_EQ(c.lead, IsLeadByte932(c.byte)) << std::hex << int(c.byte);
}

TEST(WholeCharPrefix932, StopsBeforeALeadByteWhoseTrailIsMissing) {
  struct Case {
    std::string text;
    std::size_t len;
    std::size_t expected;
  } const cases[] = {
      {"", 0, 0},
      {"abc", 3, 3},
      {"abc", 2, 2},
      {"\x95\x5C", 2, 2},              // 表
      {"\x95\x5C", 1, 0},              // lead byte alone
      {"a\x95\x5C", 2, 1},
      {"\x90\x7D\x95\x5C", 3, 2},      // 図 then half of 表
      {"\x5C\x5C\x95", 3, 2},          // backslashes are single bytes
      {"\xB1\xB8\xBE", 3, 3},          // half-width katakana are single bytes
      {"\x95\x5C\x83", 3, 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, WholeCharPrefix932(c.text.data(), c.len)) << c.text << " len " << c.len;
  }
}

TEST(WholeCharPrefix932, TreatsTheTrailByteOfAPairAsPartOfIt) {
  // 0x95 0x81 0x5C: 0x81 is the trail of 0x95, not a new lead, so 0x5C stands alone.
  const char text[] = "\x95\x81\x5C";
  EXPECT_EQ(3u, WholeCharPrefix932(text, 3));
  EXPECT_EQ(2u, WholeCharPrefix932(text, 2));
}

}  // namespace
