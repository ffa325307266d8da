#include "scan/VersionText.h"

#include <gtest/gtest.h>

TEST(VersionQueryPath, StringFileInfoThenUpperCaseHexTranslationThenKey) {
  EXPECT_EQ("ABCD00EF", FormatTranslation(0xABCD, 0x00EF));
  EXPECT_EQ("\\StringFileInfo\\041104B0\\CompanyName", VersionQueryPath("041104B0", "CompanyName"));
}

TEST(VersionTranslationsToTry, DeclaredTableFirstThenItsLanguageThenEnglishEachOnce) {
  using Strings = std::vector<std::string>;
  const Strings japanese = {"041103A4", "041104B0", "041104E4", "040904B0", "040904E4", "04090000"},
                english = {"040904B0", "040904E4", "04090000"};
  const struct { std::vector<unsigned char> bytes; bool none; Strings expected; } cases[] = {
      {{0x11, 0x04, 0xA4, 0x03}, false, japanese}, {{0x11, 0x04, 0xA4, 0x03, 0x09, 0x04, 0xB0, 0x04}, false, japanese},
      {{0x11, 0x04, 0xE4, 0x04}, false, {"041104E4", "041104B0", "040904B0", "040904E4", "04090000"}},
      {{0x09, 0x04, 0xE4, 0x04}, false, {"040904E4", "040904B0", "04090000"}},
      {{0x09, 0x04, 0x00, 0x00}, false, {"04090000", "040904B0", "040904E4"}},
      {{0x11, 0x04, 0xA4}, false, english}, {{0x11, 0x04, 0xA4, 0x03}, true, english}};
  for (const auto& c : cases)
    EXPECT_EQ(c.expected, VersionTranslationsToTry(c.none ? nullptr : c.bytes.data(), c.bytes.size())) << c.none;
}

TEST(VersionCell, LineBreaksToBlanksStopsAtNulBlankWhenEmpty) {
  const struct { const char* value; std::size_t len; const char* expected; } cases[] = {
      {"a\r\nb", 4, "a  b"}, {"ab\0cd", 5, "ab"}, {"abc", 4, "abc"}, {"abc", 2, "ab"},
      {"", 1, " "}, {"abc", 0, " "}, {nullptr, 5, " "}, {"\x83\x5C\n", 3, "\x83\x5C "}};
  for (const auto& c : cases) EXPECT_EQ(c.expected, VersionCell(c.value, c.len)) << c.expected;
}

TEST(MayHoldVersionData, ProgramsLzElfAndMachO) {
  const struct { const char* head; std::size_t length; bool may; } cases[] = {
      {"MZ", 2, true}, {"SZ", 2, true}, {"\x7F" "E", 2, true}, {"\xCE\xFA", 2, true}, {"\xFE\xED", 2, true},
      {"ZM", 2, false}, {"M", 1, false}, {"MZ", 1, false}, {"mz", 2, false}, {"\xFA\xCE", 2, false}, {"", 0, false}};
  for (const auto& c : cases)
    EXPECT_EQ(c.may, MayHoldVersionData(reinterpret_cast<const unsigned char*>(c.head), c.length)) << c.length;
}
