#include "scan/VersionText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

TEST(VersionKeys, InColumnOrder) {
  const char* const expected[8] = {"CompanyName",    "FileDescription",  "FileVersion",
                                   "InternalName",   "LegalCopyright",   "OriginalFilename",
                                   "ProductName",    "ProductVersion"};
  for (int i = 0; i < 8; ++i) EXPECT_STREQ(expected[i], kVersionKeys[i]) << i;
}

TEST(FormatTranslation, FourUpperCaseHexDigitsEach) {
  struct Case {
    std::uint16_t language, codePage;
    const char* expected;
  } const cases[] = {
      {0x0411, 0x04B0, "041104B0"}, {0x0409, 0x04E4, "040904E4"}, {0x0409, 0x0000, "04090000"},
      {0xABCD, 0x00EF, "ABCD00EF"}, {0x0000, 0x0000, "00000000"}, {0xFFFF, 0xFFFF, "FFFFFFFF"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, FormatTranslation(c.language, c.codePage));
}

TEST(VersionQueryPath, StringFileInfoThenTranslationThenKey) {
  EXPECT_EQ("\\StringFileInfo\\041104B0\\CompanyName", VersionQueryPath("041104B0", "CompanyName"));
  EXPECT_EQ("\\StringFileInfo\\040904E4\\ProductVersion",
            VersionQueryPath(FormatTranslation(0x0409, 0x04E4), kVersionKeys[7]));
}

TEST(VersionTranslationsToTry, DeclaredFirstThenUnicodeAnsiThenEnglish) {
  struct Case {
    bool has;
    std::uint16_t language, codePage;
    Strings expected;
  } const cases[] = {
      {true, 0x0411, 0x03A4,
       {"041103A4", "041104B0", "041104E4", "040904B0", "040904E4", "04090000"}},
      {true, 0x0411, 0x04B0, {"041104B0", "041104E4", "040904B0", "040904E4", "04090000"}},
      {true, 0x0411, 0x04E4, {"041104E4", "041104B0", "040904B0", "040904E4", "04090000"}},
      {true, 0x0409, 0x04B0, {"040904B0", "040904E4", "04090000"}},
      {true, 0x0409, 0x04E4, {"040904E4", "040904B0", "04090000"}},
      {true, 0x0409, 0x0000, {"04090000", "040904B0", "040904E4"}},
      {false, 0x0411, 0x03A4, {"040904B0", "040904E4", "04090000"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, VersionTranslationsToTry(c.has, c.language, c.codePage))
        << c.has << " " << c.language << " " << c.codePage;
  }
}

TEST(VersionCell, FlattensLineBreaksToBlanks) {
  struct Case {
    std::string value;
    std::size_t len;
    std::string expected;
  } const cases[] = {
      {"a\r\nb", 4, "a  b"},
      {"Line1\nLine2", 11, "Line1 Line2"},
      {"Line1\rLine2", 11, "Line1 Line2"},
      {"\r\n", 2, "  "},
      {"Copyright (C) 2001", 19, "Copyright (C) 2001"},  // len counting the terminator
      {"abc", 2, "ab"},
      {std::string("ab\0cd", 5), 5, "ab"},
      {"\x95\x5C\n", 3, "\x95\x5C "},  // CP932 bytes pass unchanged
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, VersionCell(c.value.data(), c.len)) << c.value;
}

TEST(VersionCell, BlankWhenEmpty) {
  EXPECT_EQ(" ", VersionCell("abc", 0));
  EXPECT_EQ(" ", VersionCell(nullptr, 5));
  EXPECT_EQ(" ", VersionCell("", 1));
}

}  // namespace
