#include <gtest/gtest.h>

#include <cstring>

#include "scan/ColumnAutoWidth.h"
#include "scan/FileCells.h"
#include "scan/FilterSplit.h"
#include "scan/PathJoin.h"
#include "scan/VersionText.h"

static const std::string a258(258, 'a'), a259(259, 'a');

TEST(WidthCandidates, KeepsTheWidestDistinctTextsOfEachColumnWholeAndCutTo259) {
  WidthCandidates candidates(3, [](wchar_t c) { return c == L'W' ? 10 : 5; });
  const auto offer = [&](int column, int row, int narrow, int wide) {
    const std::wstring text = std::wstring(narrow, L'a') + std::wstring(wide, L'W');
    candidates.Offer(column, row, text.c_str(), static_cast<int>(text.size()));
  };
  offer(0, 0, 0, 259);  // column 0: widest cut to 259 only
  for (int row = 1; row <= 9; ++row) offer(0, row, 259, 310 - row);  // wider whole (row 9 a ninth), all cut alike
  for (int row = 17; row >= 10; --row) offer(1, row, 0, 120 + row);  // column 1: wider cut, offered last first
  offer(1, 18, 259, 10);  // widest whole only
  for (int row = 20; row <= 28; ++row) offer(2, row, 0, 3);  // column 2: the widest text nine times, so
  offer(2, 29, 4, 0), offer(2, 30, 0, 0);  // the runner-up in row 29 stays; row 30 is empty
  const std::vector<int> rows = {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13, 14, 15, 16, 17, 18, 20, 29};
  EXPECT_EQ(rows, candidates.Rows());
}

TEST(FormatAttributes, LettersSHRAInThatOrderOrABlank) {
  const struct { std::uint32_t attributes; const char* expected; } cases[] = {
      {0x27, "SHRA"}, {0x21, "RA"}, {0x06, "SH"}, {0xFFFFFFD8u, " "}};  // no other bit shows
  for (const auto& c : cases) EXPECT_EQ(c.expected, FormatAttributes(c.attributes)) << c.attributes;
}

TEST(SplitFilter, KeepsBlanksAndEmptyPiecesAndReadsOnly259Bytes) {
  const struct { std::string filter; std::vector<std::string> expected; } cases[] = {
      {"*.txt; *.log", {"*.txt", " *.log"}}, {"a;;b;", {"a", "", "b", ""}}, {"", {"*.*"}},
      {std::string(300, 'a'), {a259}},       {a258 + ";b", {a258, ""}},      {a259 + ";b", {a259}}};
  for (const auto& c : cases) EXPECT_EQ(c.expected, SplitFilter(c.filter.c_str())) << c.filter;
}

TEST(MakeDirWithBackslash, AddsOneAfterA5CTrailByteFits259BytesAndRefuses260LeavingTheBuffer) {
  const struct { std::string folder, expected; } cases[] = {{"C:\\data", "C:\\data\\"},
      {"C:\\\x95\x5C", "C:\\\x95\x5C\\"}, {a258, a258 + "\\"}, {a258 + "\\", a258 + "\\"}, {a259, "refused"}};
  for (const auto& c : cases) {
    char dir[kPathSize];  // no stray NUL to end a result that lacks its own
    std::memset(dir, '~', kPathSize - 1), dir[kPathSize - 1] = '\0';
    const std::string blank = dir;
    EXPECT_EQ(c.expected, MakeDirWithBackslash(dir, c.folder.c_str()) ? dir : dir == blank ? "refused" : "?") << c.folder;
  }
}

TEST(VersionText, TranslationsToTryAndCells) {
  using Strings = std::vector<std::string>;  // tried: declared, its language in 04B0 and 04E4, English; each once
  const Strings japanese = {"041103A4", "041104B0", "041104E4", "040904B0", "040904E4", "04090000"},
                english = {"040904B0", "040904E4", "04090000"};
  const struct { std::vector<unsigned char> bytes; bool none; Strings expected; } cases[] = {
      {{0x11, 0x04, 0xA4, 0x03, 0x09, 0x04, 0xB0, 0x04}, false, japanese},
      {{0x11, 0x04, 0xE4, 0x04}, false, {"041104E4", "041104B0", "040904B0", "040904E4", "04090000"}},
      {{0x09, 0x04, 0x00, 0x00}, false, {"04090000", "040904B0", "040904E4"}}, {{0x11, 0x04, 0xA4}, false, english},
      {{0x11, 0x04, 0xA4, 0x03}, true, english}};
  for (const auto& c : cases)
    EXPECT_EQ(c.expected, VersionTranslationsToTry(c.none ? nullptr : c.bytes.data(), c.bytes.size())) << c.none;
  const struct { const char* value; std::size_t len; const char* expected; } cells[] = {  // one line, to NUL
      {"a\r\nb", 4, "a  b"}, {"ab\0cd", 5, "ab"}, {"abc", 2, "ab"}, {"", 1, " "}, {"abc", 0, " "}};
  for (const auto& c : cells) EXPECT_EQ(c.expected, VersionCell(c.value, c.len)) << c.expected;
}
