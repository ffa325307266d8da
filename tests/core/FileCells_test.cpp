#include "scan/FileCells.h"

#include <gtest/gtest.h>

TEST(FormatSize, RightAlignedInTenWiderWithMoreDigits) {
  const struct { std::uint64_t size; const char* expected; } cases[] = {
      {0, "         0"}, {1234, "      1234"}, {9999999999u, "9999999999"}, {4294967296u, "4294967296"},
      {12345678901u, "12345678901"}, {18446744073709551615u, "18446744073709551615"}};
  for (const auto& c : cases) EXPECT_EQ(c.expected, FormatSize(c.size)) << c.expected;
}

TEST(FormatFileTime, FumeiWhenUnsetZeroPaddedFieldsOtherwise) {
  const CalendarTime t = {2024, 1, 2, 3, 4, 5}, late = {30827, 12, 31, 23, 59, 59};
  const struct { bool set; CalendarTime time; bool withTime; const char* expected; } cases[] = {
      {false, t, true, "(\x95\x73\x96\xBE)"}, {false, t, false, "(\x95\x73\x96\xBE)"},  // (不明)
      {true, t, true, "2024-01-02 03:04:05"}, {true, t, false, "2024-01-02"},
      {true, late, true, "30827-12-31 23:59:59"}};
  for (const auto& c : cases) EXPECT_EQ(c.expected, FormatFileTime(c.set, c.time, c.withTime)) << c.expected;
}

TEST(FormatAttributes, LettersSHRAOtherBitsIgnored) {
  const struct { std::uint32_t attributes; const char* expected; } cases[] = {
      {0x27, "SHRA"}, {0x21, "RA"}, {0x06, "SH"}, {0x04, "S"}, {0, " "}, {0xFFFFFFD8u, " "}, {0xFFFFFFFFu, "SHRA"}};
  for (const auto& c : cases) EXPECT_EQ(c.expected, FormatAttributes(c.attributes)) << c.attributes;
}

TEST(ShortNameCell, BlankWhenThereIsNone) {
  EXPECT_EQ(" ", ShortNameCell(""));
  EXPECT_EQ("PROGRA~1", ShortNameCell("PROGRA~1"));
}

TEST(TypeNameKey, FromTheLastDotOnCaseKept) {
  const struct { const char* name; const char* expected; } cases[] = {
      {"a.txt", ".txt"}, {"a.b.TXT", ".TXT"}, {"name.", "."}, {"noext", ""}, {".profile", ".profile"}, {nullptr, ""}};
  for (const auto& c : cases) EXPECT_EQ(c.expected, TypeNameKey(c.name)) << (c.name ? c.name : "null");
}
