#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "common/CodePage932.h"
#include "scan/ColumnAutoWidth.h"
#include "scan/FileCells.h"
#include "scan/FileRows.h"
#include "scan/FilterSplit.h"
#include "scan/PathJoin.h"
#include "scan/ScanPace.h"
#include "scan/ScanText.h"
#include "scan/VersionText.h"

// 表 and ソ end in 0x5C; 0x95 0x81 is a pair whose trail byte is itself in the lead range.
#define HYOU "\x95\x5C"
#define SO "\x83\x5C"
static const std::string a258(258, 'a'), a259(259, 'a'), d200(200, 'd'), d259(259, 'd');

TEST(IsLeadByte932, Exactly81To9FAndE0ToFC) {
  for (int b = 0; b < 256; ++b) EXPECT_EQ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC), IsLeadByte932(b)) << b;
}

TEST(WidthCandidates, KeepsTheWidestDistinctTextsOfEachColumnWholeAndCutTo259) {
  std::map<wchar_t, int> asked;
  WidthCandidates candidates(3, [&](wchar_t c) { ++asked[c]; return c == L'W' ? 10 : 5; });
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
  EXPECT_EQ((std::map<wchar_t, int>{{L'W', 1}, {L'a', 1}}), asked);
}

TEST(FileCells, SizeTimeAttributesShortNameAndTypeAsTheListShowsThem) {
  const CalendarTime t = {2024, 1, 2, 3, 4, 5}, late = {30827, 12, 31, 23, 59, 59};
  const char* const fumei = "(\x95\x73\x96\xBE)";  // (不明)
  const struct { std::string cell, expected; } cases[] = {  // sizes right-aligned in ten, wider with more digits
      {FormatSize(0), "         0"}, {FormatSize(1234), "      1234"}, {FormatSize(9999999999u), "9999999999"},
      {FormatSize(12345678901u), "12345678901"}, {FormatSize(18446744073709551615u), "18446744073709551615"},
      {FormatFileTime(false, t, true), fumei}, {FormatFileTime(false, t, false), fumei},
      {FormatFileTime(true, t, true), "2024-01-02 03:04:05"}, {FormatFileTime(true, t, false), "2024-01-02"},
      {FormatFileTime(true, late, true), "30827-12-31 23:59:59"}, {FormatAttributes(0x27), "SHRA"},
      {FormatAttributes(0x21), "RA"}, {FormatAttributes(0x06), "SH"}, {FormatAttributes(0x04), "S"},
      {FormatAttributes(0), " "}, {FormatAttributes(0xFFFFFFD8u), " "}, {FormatAttributes(0xFFFFFFFFu), "SHRA"},
      {ShortNameCell(""), " "}, {ShortNameCell(nullptr), " "}, {ShortNameCell("PROGRA~1"), "PROGRA~1"},
      {TypeNameKey("a.txt"), ".txt"}, {TypeNameKey("a.b.TXT"), ".TXT"}, {TypeNameKey("name."), "."},
      {TypeNameKey("noext"), ""}, {TypeNameKey(".profile"), ".profile"}, {TypeNameKey(nullptr), ""}};
  for (const auto& c : cases) EXPECT_EQ(c.expected, c.cell) << "case " << &c - cases;
}

TEST(SplitFilter, KeepsBlanksAndEmptyPiecesAndReadsOnly259BytesOnlyStarDotStarMatchesAll) {
  const struct { std::string filter; std::vector<std::string> expected; } cases[] = {
      {"*.txt; *.log", {"*.txt", " *.log"}}, {"a;;b;", {"a", "", "b", ""}}, {"", {"*.*"}},
      {std::string(300, 'a'), {a259}},       {a258 + ";b", {a258, ""}},      {a259 + ";b", {a259}}};
  for (const auto& c : cases) EXPECT_EQ(c.expected, SplitFilter(c.filter.c_str())) << c.filter;
  for (const char* other : {"*.txt", " *.*", "*.*;", ""}) EXPECT_FALSE(MatchesEveryName(other)) << other;
  EXPECT_TRUE(MatchesEveryName("*.*"));
}

// What a call leaves in the buffer, or "refused" when it says no and leaves the buffer as it was.
template <typename Call> static std::string Outcome(Call call) {
  const std::string blank(kPathSize - 1, '~');  // no stray NUL to end a result that lacks its own
  char buf[kPathSize];
  std::memcpy(buf, blank.c_str(), kPathSize);
  return call(buf) ? std::string(buf) : buf == blank ? "refused" : "refused, but wrote " + std::string(buf);
}

TEST(EndsWithBackslash932, WalksFromTheStartSoA5CTrailByteIsNoSeparator) {
  const struct { const char* text; bool expected; } cases[] = {
      {"C:\\data\\", true}, {"C:\\data", false}, {"", false}, {nullptr, false}, {"C:\\" HYOU, false},
      {"C:\\" SO, false}, {"C:\\" HYOU "\\", true}, {"\xB1\\", true}, {"\x95\x81\\", true}, {"C:\\\x95", false}};
  for (const auto& c : cases) EXPECT_EQ(c.expected, EndsWithBackslash932(c.text)) << (c.text ? c.text : "null");
}

TEST(MakeDirWithBackslashAndJoinPath, SeparatorAfterTrailByte5CFit259BytesRefuse260LeavingTheBuffer) {
  const struct { std::string folder, expected; } cases[] = {{"C:\\data", "C:\\data\\"}, {"C:\\data\\", "C:\\data\\"},
      {"C:\\" HYOU, "C:\\" HYOU "\\"}, {a258, a258 + "\\"}, {a258 + "\\", a258 + "\\"}, {a258 + "a", "refused"}};
  for (const auto& c : cases)
    EXPECT_EQ(c.expected, Outcome([&](auto& dir) { return MakeDirWithBackslash(dir, c.folder.c_str()); })) << c.folder;
  const struct { std::string dir, name, expected; } joins[] = {
      {"C:\\" HYOU "\\", SO ".doc", "C:\\" HYOU "\\" SO ".doc"}, {"C:\\\x95", "x", "C:\\\x95x"},
      {d200, std::string(59, 'n'), d200 + std::string(59, 'n')}, {d200, std::string(60, 'n'), "refused"},
      {d259, "", d259}, {d259 + "d", "", "refused"}, {std::string(300, 'd'), "x", "refused"}};
  for (const auto& c : joins)
    EXPECT_EQ(c.expected, Outcome([&](auto& out) { return JoinPath(out, c.dir.c_str(), c.name.c_str()); })) << c.dir;
}

TEST(AncestorFolders932, EverySingleByteBackslashEndsOneShortestFirst) {
  const struct { const char* dir; std::vector<std::string> expected; } cases[] = {
      {"C:\\a\\" HYOU "\\b\\", {"C:\\", "C:\\a\\", "C:\\a\\" HYOU "\\", "C:\\a\\" HYOU "\\b\\"}},
      {"C:\\" SO "\\b", {"C:\\", "C:\\" SO "\\"}}, {"C:\\" HYOU, {"C:\\"}}, {"C:\\a\\\x95", {"C:\\", "C:\\a\\"}},
      {"C:\\\x95\x81\\", {"C:\\", "C:\\\x95\x81\\"}}, {"", {}}, {nullptr, {}},
      {"\\\\srv\\s\\", {"\\", "\\\\", "\\\\srv\\", "\\\\srv\\s\\"}}};
  for (const auto& c : cases) EXPECT_EQ(c.expected, AncestorFolders932(c.dir)) << (c.dir ? c.dir : "null");
}

TEST(ScanPace, IntervalsCountAcrossTheTickWrapViewIsFullOnceARowIsCutOffProgressInKen) {
  const struct { std::uint32_t now, since, interval; bool passed; } intervals[] = {{1000, 900, 100, true},
      {1000, 901, 100, false}, {7, 7, 0, true}, {4, 0xFFFFFFA0u, 100, true}, {3, 0xFFFFFFA0u, 100, false}};
  for (const auto& c : intervals) EXPECT_EQ(c.passed, IntervalPassed(c.now, c.since, c.interval)) << c.now;
  const struct { int top, perPage, rows; bool full; } views[] = {
      {0, 10, 10, false}, {0, 10, 11, true}, {5, 10, 15, false}, {5, 10, 16, true}, {0, 0, 0, false}};
  for (const auto& c : views) EXPECT_EQ(c.full, ViewIsFull(c.top, c.perPage, c.rows)) << c.rows;
  EXPECT_EQ("0/0\x8C\x8F", FormatProgress(0, 0)); EXPECT_EQ("12/2147483647\x8C\x8F", FormatProgress(12, 2147483647));
}

TEST(VersionText, QueryPathTranslationsToTryCellsAndWhichFilesMayHoldIt) {
  EXPECT_EQ("ABCD00EF", FormatTranslation(0xABCD, 0x00EF));
  EXPECT_EQ("\\StringFileInfo\\041104B0\\CompanyName", VersionQueryPath("041104B0", "CompanyName"));
  using Strings = std::vector<std::string>;  // tried: declared, its language in 04B0 and 04E4, English; each once
  const Strings japanese = {"041103A4", "041104B0", "041104E4", "040904B0", "040904E4", "04090000"},
                english = {"040904B0", "040904E4", "04090000"};
  const struct { std::vector<unsigned char> bytes; bool none; Strings expected; } cases[] = {
      {{0x11, 0x04, 0xA4, 0x03}, false, japanese}, {{0x11, 0x04, 0xA4, 0x03, 0x09, 0x04, 0xB0, 0x04}, false, japanese},
      {{0x11, 0x04, 0xE4, 0x04}, false, {"041104E4", "041104B0", "040904B0", "040904E4", "04090000"}},
      {{0x09, 0x04, 0x00, 0x00}, false, {"04090000", "040904B0", "040904E4"}}, {{0x11, 0x04, 0xA4}, false, english},
      {{0x11, 0x04, 0xA4, 0x03}, true, english}};
  for (const auto& c : cases)
    EXPECT_EQ(c.expected, VersionTranslationsToTry(c.none ? nullptr : c.bytes.data(), c.bytes.size())) << c.none;
  const struct { const char* value; std::size_t len; const char* expected; } cells[] = {  // one line, to NUL
      {"a\r\nb", 4, "a  b"}, {"ab\0cd", 5, "ab"}, {"abc", 4, "abc"}, {"abc", 2, "ab"},
      {"", 1, " "}, {"abc", 0, " "}, {nullptr, 5, " "}, {"\x83\x5C\n", 3, "\x83\x5C "}};
  for (const auto& c : cells) EXPECT_EQ(c.expected, VersionCell(c.value, c.len)) << c.expected;
  const struct { const char* head; std::size_t length; bool may; } heads[] = {  // MZ, SZ (LZ), ELF, Mach-O
      {"MZ", 2, true}, {"SZ", 2, true}, {"\x7F" "E", 2, true}, {"\xCE\xFA", 2, true}, {"\xFE\xED", 2, true},
      {"ZM", 2, false}, {"M", 1, false}, {"MZ", 1, false}, {"mz", 2, false}, {"\xFA\xCE", 2, false}, {"", 0, false}};
  for (const auto& c : heads)
    EXPECT_EQ(c.may, MayHoldVersionData(reinterpret_cast<const unsigned char*>(c.head), c.length)) << c.length;
}

static std::string Names(const FileRows& rows) {
  std::string names;
  for (int r = 0; r < rows.Count(); ++r) names += std::string(rows.Cell(r, kNameColumn)) + ";";
  return names;
}

TEST(FileRows, CellsStayApartWhenSetInAnyOrderAndRowsMove) {
  FileRows rows;
  for (const char* name : {"a", "b", "c"}) ASSERT_TRUE(rows.Insert(rows.Count(), name));
  EXPECT_FALSE(rows.Insert(4, "x"));
  EXPECT_FALSE(rows.Insert(-1, "x"));
  ASSERT_TRUE(rows.Insert(0, "z"));
  rows.Set(1, kPathColumn, "C:\\a");
  rows.Set(1, kSizeColumn, "12345");
  rows.Set(1, kTypeColumn, "\x83\x5C");
  rows.Set(1, kSizeColumn, "4");
  rows.Set(1, kNameColumn, "a longer name");
  const char* expected[kColumnCount] = {"a longer name", "\x83\x5C", "4"};
  expected[kPathColumn] = "C:\\a";
  for (int c = 0; c < kColumnCount; ++c) EXPECT_EQ(expected[c] ? expected[c] : "", rows.Cell(1, c)) << c;
  EXPECT_EQ("", rows.Cell(0, kPathColumn));
  rows.Reorder({3, 1, 0, 2});
  EXPECT_EQ("c;a longer name;z;b;", Names(rows));
  EXPECT_EQ("C:\\a", rows.Cell(1, kPathColumn));
  rows.Clear();
  EXPECT_EQ(0, rows.Count());
}

TEST(FileRows, RemoveKeepsTheOthersInOrder) {
  const struct { std::vector<int> gone; const char* left; } cases[] = {{{}, "a;b;c;d;e;f;"}, {{0}, "b;c;d;e;f;"},
      {{5}, "a;b;c;d;e;"}, {{0, 2, 4}, "b;d;f;"}, {{1, 2, 3}, "a;e;f;"}, {{0, 1, 2, 3, 4, 5}, ""}};
  for (const auto& c : cases) {
    FileRows rows;
    for (const char* name : {"a", "b", "c", "d", "e", "f"}) rows.Insert(rows.Count(), name);
    rows.Set(5, kPathColumn, "f's path");
    rows.Remove(c.gone);
    EXPECT_EQ(c.left, Names(rows)) << testing::PrintToString(c.gone);
    if (rows.Count() && rows.Cell(rows.Count() - 1, kNameColumn) == "f") {
      EXPECT_EQ("f's path", rows.Cell(rows.Count() - 1, kPathColumn));
    }
  }
}

TEST(WholeCharPrefix932, NeverEndsBetweenALeadByteAndItsTrailByte) {
  const struct { const char* text; std::size_t room, length; } cases[] = {{"abc", 2, 2}, {"ab", 0, 0}, {"", 5, 0},
      {"\x95\x5C" "a", 1, 0}, {"\x95\x5C" "a", 2, 2}, {"a\x95\x5C", 2, 1}, {"a\x95\x5C", 3, 3}, {"\x95", 1, 1},
      {"\x81\x81\x81", 2, 2}, {"\x81\x81\x81", 3, 3}, {"\xE0\x40\xFC\x40", 3, 2}};
  for (const auto& c : cases) EXPECT_EQ(c.length, WholeCharPrefix932(c.text, c.room)) << c.text << " in " << c.room;
}
