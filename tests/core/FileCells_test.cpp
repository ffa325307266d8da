#include "scan/FileCells.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>

namespace {

TEST(FormatSize, RightAlignsInTenAndGrowsPastThem) {
  struct Case {
    std::uint64_t size;
    std::string expected;
  } const cases[] = {
      {0, "         0"},
      {9, "         9"},
      {10, "        10"},
      {2147483647, "2147483647"},
      {2147483648u, "2147483648"},  // where a signed %d used to turn negative
      {3000000000u, "3000000000"},
      {4294967296ull, "4294967296"},
      {5368709120ull, "5368709120"},  // 5 GiB
      {9999999999ull, "9999999999"},
      {12345678901ull, "12345678901"},
      {18446744073709551615ull, "18446744073709551615"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, FormatSize(c.size)) << c.expected;
}

TEST(FormatSize, MatchesPercent10dBelowTwoGiB) {
  const int sizes[] = {0, 1, 9, 10, 99, 100, 12345, 999999999, 1000000000, 2147483647};
  for (int s : sizes) {
    char expected[16];
    std::snprintf(expected, sizeof expected, "%10d", s);
    EXPECT_EQ(expected, FormatSize(static_cast<std::uint64_t>(s)));
  }
}

TEST(FormatFileTime, UnsetTimeIsFumei) {
  const CalendarTime t{2024, 1, 2, 3, 4, 5};
  EXPECT_EQ("\x28\x95\x73\x96\xBE\x29", FormatFileTime(false, t, true));
  EXPECT_EQ("(不明)", FormatFileTime(false, t, false));
}

TEST(FormatFileTime, PadsEveryFieldButTheYearWithZeros) {
  struct Case {
    CalendarTime t;
    bool withTime;
    std::string expected;
  } const cases[] = {
      {{2024, 1, 2, 3, 4, 5}, true, "2024-01-02 03:04:05"},
      {{2024, 1, 2, 3, 4, 5}, false, "2024-01-02"},
      {{1999, 12, 31, 23, 59, 59}, true, "1999-12-31 23:59:59"},
      {{1601, 1, 1, 0, 0, 0}, true, "1601-01-01 00:00:00"},
      {{99, 1, 1, 0, 0, 0}, false, "  99-01-01"},
      {{30827, 12, 31, 23, 59, 59}, false, "30827-12-31"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, FormatFileTime(true, c.t, c.withTime));
}

TEST(FormatFileTime, ExtremeFieldsAreWrittenWhole) {
  const CalendarTime t{INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN};
  const std::string m = "-2147483648";
  EXPECT_EQ(m + "-" + m + "-" + m + " " + m + ":" + m + ":" + m, FormatFileTime(true, t, true));
  const CalendarTime u{INT_MAX, INT_MAX, INT_MAX, 0, 0, 0};
  EXPECT_EQ("2147483647-2147483647-2147483647", FormatFileTime(true, u, false));
}

TEST(FormatAttributes, LettersInSHRAOrder) {
  struct Case {
    std::uint32_t attributes;
    const char* expected;
  } const cases[] = {
      {0x01 | 0x02 | 0x04 | 0x20, "SHRA"},
      {0x02 | 0x01, "HR"},
      {0x20, "A"},
      {0x04 | 0x20, "SA"},
      {0x01, "R"},
      {0, " "},
      {0x10, " "},   // directory
      {0x80, " "},   // normal
      {0x800, " "},  // compressed
      {0xFFFFFFFF, "SHRA"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, FormatAttributes(c.attributes)) << c.attributes;
}

TEST(ShortNameCell, BlankWhenThereIsNoShortName) {
  EXPECT_EQ(" ", ShortNameCell(nullptr));
  EXPECT_EQ(" ", ShortNameCell(""));
  EXPECT_EQ("PROGRA~1", ShortNameCell("PROGRA~1"));
  EXPECT_EQ("\x90\x7D\x95\x5C~1.XLS", ShortNameCell("図表~1.XLS"));
}

}  // namespace
