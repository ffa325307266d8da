#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstring>
#include <chrono>
#include <thread>

#include "common/CodePage932.h"
#include "scan/ColumnAutoWidth.h"
#include "scan/FileCells.h"
#include "scan/FileRows.h"
#include "scan/FilterSplit.h"
#include "scan/ReadAheadQueue.h"
#include "scan/ScanPace.h"
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

// A wrong answer stops the list and the status text from showing progress for the rest of a scan.
TEST(ScanPace, IntervalsCountAcrossTheTickWrapViewIsFullOnceARowIsCutOff) {
  const struct { std::uint32_t now, since, interval; bool passed; } intervals[] = {{1000, 900, 100, true},
      {1000, 901, 100, false}, {7, 7, 0, true}, {4, 0xFFFFFFA0u, 100, true}, {3, 0xFFFFFFA0u, 100, false}};
  for (const auto& c : intervals) EXPECT_EQ(c.passed, IntervalPassed(c.now, c.since, c.interval)) << c.now;
  const struct { int top, perPage, rows; bool full; } views[] = {
      {0, 10, 10, false}, {0, 10, 11, true}, {5, 10, 15, false}, {5, 10, 16, true}, {0, 0, 0, false}};
  for (const auto& c : views) EXPECT_EQ(c.full, ViewIsFull(c.top, c.perPage, c.rows)) << c.rows;
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
  rows.Set(4, kNameColumn, "x"), rows.Set(0, -1, "x"), rows.Set(0, kColumnCount, "x");  // no such cells
  for (const auto& [row, column] : {std::pair{4, 0}, {-1, 0}, {0, kColumnCount}}) EXPECT_EQ("", rows.Cell(row, column));
  rows.SetRealPath(2, L"C:\\R\xE9sum\xE9\\b\xE9.txt"), rows.Set(2, kSizeColumn, "1");  // a path 932 lacks
  rows.Reorder({3, 1, 0, 2});
  std::string names;
  for (int r = 0; r < rows.Count(); ++r) names += std::string(rows.Cell(r, kNameColumn)) + ";";
  EXPECT_EQ("c;a longer name;z;b;", names);
  EXPECT_EQ("C:\\a", rows.Cell(1, kPathColumn));
  EXPECT_EQ(L"b\xE9.txt", rows.RealText(3, kNameColumn).value_or(L"none"));
  EXPECT_EQ(L"C:\\R\xE9sum\xE9\\b\xE9.txt", rows.RealText(3, kPathColumn).value_or(L"none"));
  for (const auto& [row, column] : {std::pair{3, kSizeColumn}, {1, kPathColumn}, {4, kPathColumn}}) EXPECT_FALSE(rows.RealText(row, column));
  rows.Clear();
  EXPECT_EQ(0, rows.Count());
}

// Rows whose texts fill several blocks, one longer than a block, keep their cells through cells
// set on earlier rows, a reorder and removals that give the space of removed rows back.
TEST(FileRows, LongListsKeepEveryCell) {
  FileRows rows;
  const auto path = [](int r) { return std::string(r == 9 ? 3 << 20 : 300 + r % 50, static_cast<char>('a' + r % 26)); };
  const int count = 9000;
  for (int r = 0; r < count; ++r) {
    ASSERT_TRUE(rows.Insert(r, std::to_string(r).c_str()));
    rows.Set(r, kPathColumn, path(r).c_str());
    rows.Set(r, kSizeColumn, "1");
  }
  for (int r = 0; r < count; r += 100) rows.Set(r, kSizeColumn, "a longer size than before");
  std::vector<std::size_t> reversed(count);
  for (int r = 0; r < count; ++r) reversed[r] = static_cast<std::size_t>(count - 1 - r);
  rows.Reorder(reversed);
  std::vector<int> gone;
  for (int r = 0; r < count; ++r)  // the last row stays
    if (r % 3 != 2) gone.push_back(r);
  rows.Remove(gone);
  ASSERT_EQ(count / 3, rows.Count());
  for (int i = 0; i < rows.Count(); ++i) {
    const int r = count - 3 - 3 * i;
    ASSERT_EQ(std::to_string(r), rows.Cell(i, kNameColumn));
    ASSERT_EQ(path(r), rows.Cell(i, kPathColumn));
    ASSERT_EQ(r % 100 ? "1" : "a longer size than before", rows.Cell(i, kSizeColumn));
  }
}

TEST(FileRows, FindNameGoesOnFromStartRoundToTheTopLettersInEitherCase) {
  FileRows rows;
  for (const char* name : {"apple", "Banana", "berry", "\x83\x41x", "Ab", "Zoo"}) rows.Insert(rows.Count(), name);
  const struct { const char* prefix; int start, row; } cases[] = {{"b", 0, 1}, {"b", 2, 2}, {"B", 3, 1}, {"BE", 0, 2},
      {"a", 1, 4}, {"a", 7, 0}, {"a", -1, 0}, {"ab", 0, 4}, {"\x83\x41", 0, 3}, {"\x83\x61", 0, -1}, {"c", 0, -1},
      {"", 2, 2}, {"apples", 0, -1}, {"z", 0, 5}};
  for (const auto& c : cases) EXPECT_EQ(c.row, rows.FindName(c.prefix, c.start)) << c.prefix << " from " << c.start;
  EXPECT_EQ(-1, FileRows().FindName("a", 0));
}

TEST(WholeCharPrefix932, NeverEndsBetweenALeadByteAndItsTrailByte) {
  const struct { const char* text; std::size_t room, length; } cases[] = {{"abc", 2, 2}, {"ab", 0, 0}, {"", 5, 0},
      {"\x95\x5C" "a", 1, 0}, {"\x95\x5C" "a", 2, 2}, {"a\x95\x5C", 2, 1}, {"a\x95\x5C", 3, 3}, {"\x95", 1, 1},
      {"\x81\x81\x81", 2, 2}, {"\x81\x81\x81", 3, 3}, {"\xE0\x40\xFC\x40", 3, 2}};
  for (const auto& c : cases) EXPECT_EQ(c.length, WholeCharPrefix932(c.text, c.room)) << c.text << " in " << c.room;
}

// Waits until the finder thread has put count (a loaded host may be slow), then a little for any more.
static void Settle(const std::atomic<int>& put, int count) {
  for (int i = 0; i < 500 && put < count; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
}

// The finder waits while 4 ahead and goes on once half the room is free.
TEST(ReadAheadQueue, AnswersInOrderUntilAnotherFileIsMetThenTheFinderStops) {
  ReadAheadQueue queue(4);
  std::vector<bool> put;
  std::atomic<int> ahead{0};
  std::thread finder([&] {
    for (int i = 0; i < 20; ++i) put.push_back(queue.Put(std::to_wstring(i), i % 3 == 0)), ++ahead;
    queue.Finish();
  });
  bool answer = false;
  Settle(ahead, 4);
  EXPECT_EQ(ahead, 4);
  for (int i = 0; i < 6; ++i) {
    ASSERT_TRUE(queue.Take(std::to_wstring(i).c_str(), answer)) << i;
    EXPECT_EQ(answer, i % 3 == 0) << i;
    if (i != 1) continue;
    Settle(ahead, 6);
    ASSERT_EQ(ahead, 6);  // else the taker would wait for ever
  }
  EXPECT_FALSE(queue.Take(L"x", answer));  // the folder changed under the walk
  EXPECT_FALSE(queue.Take(L"6", answer));  // and the taker stays on its own
  finder.join();                          // a finder waiting for room goes on, told to stop
  EXPECT_FALSE(put.back());
}

// A file made since the walk ahead passed its folder: the taker waits for the walk's end, then goes on alone.
TEST(ReadAheadQueue, AFinishedWalkAnswersWhatItFoundThenNoMore) {
  ReadAheadQueue queue(4);
  queue.Put(L"0", true), queue.Put(L"1", false);
  bool answer = false;
  EXPECT_TRUE(queue.Take(L"0", answer) && answer);
  EXPECT_TRUE(queue.Take(L"1", answer) && !answer);
  std::thread finder([&] { std::this_thread::sleep_for(std::chrono::milliseconds(50)), queue.Finish(); });
  EXPECT_FALSE(queue.Take(L"2", answer));
  finder.join();
}

TEST(ReadAheadQueue, CloseLetsAFinderWaitingForRoomGoAndStopsIt) {
  ReadAheadQueue queue(2);
  std::atomic<int> put{0};
  std::thread finder([&] {
    while (queue.Put(std::to_wstring(put), true)) ++put;
  });
  Settle(put, 2);  // the finder waiting for room
  queue.Close();  // the listing ends early: Stop, or the window closed
  finder.join();
  EXPECT_EQ(put, 2);
  bool answer = false;
  EXPECT_FALSE(queue.Take(L"0", answer));
}
