#include <gtest/gtest.h>

#include <algorithm>

#include "common/ColumnTable.h"
#include "listops/CsvLine.h"
#include "listops/SortCompare.h"
#include "listops/SortTags.h"

TEST(AppendCsvLine, AppendsEveryCellQuotedWithQuotesDoubledEndedByCrLf) {
  const struct { std::vector<std::string> cells; const char* expected; } cases[] = {
      {{"a.txt"}, "\"a.txt\"\r\n"}, {{"say \"hi\""}, "\"say \"\"hi\"\"\"\r\n"}, {{"\""}, "\"\"\"\"\r\n"},
      {{"a,b", "", "x"}, "\"a,b\",\"\",\"x\"\r\n"}, {{"l1\r\nl2"}, "\"l1\r\nl2\"\r\n"},
      {{"\x83\x5C\"", "\x95\x5C", "\xFF\x80"}, "\"\x83\x5C\"\"\",\"\x95\x5C\",\"\xFF\x80\"\r\n"}};
  for (const auto& c : cases) {
    std::string out = "#";
    AppendCsvLine(out, c.cells.data(), static_cast<int>(c.cells.size()));
    EXPECT_EQ(std::string("#") + c.expected, out) << c.cells.size() << " cells";
  }
}

TEST(CompareCellBytes, UnsignedBytesShorterPrefixFirstResultIsOneStep) {
  const struct { std::string a, b; int expected; } cases[] = {{"A", "a", -1}, {"a", "z", -1}, {"z", "a", 1},
      {"a", "a", 0}, {"", "", 0}, {"", "a", -1}, {"ab", "a", 1}, {"\x7F", "\x80", -1}, {"\xFF", "\x01", 1},
      {std::string("a\0b", 3), std::string("a\0c", 3), -1}};
  for (const auto& c : cases) EXPECT_EQ(c.expected, CompareCellBytes(c.a, c.b)) << c.a + " | " + c.b;
}

TEST(ParseSizeCell, LeadingBlanksMinusDigitsWithinLongLong) {
  const struct { std::string text, expected; } cases[] = {{"      1234", "1234"}, {"-1294967296", "-1294967296"},
      {"  -5", "-5"}, {"9223372036854775807", "9223372036854775807"}, {"9223372036854775808", "none"},
      {"-9223372036854775808", "-9223372036854775808"}, {"-9223372036854775809", "none"}, {"-", "none"},
      {"+5", "none"}, {"", "none"}, {"5 ", "none"}, {"\t5", "none"}, {"- 5", "none"}};
  const auto parsed = [](std::string t) { long long v = 0; return ParseSizeCell(t, v) ? std::to_string(v) : "none"; };
  for (const auto& c : cases) EXPECT_EQ(c.expected, parsed(c.text)) << '"' << c.text << '"';
}

TEST(SortedRowOrder, SizesByNumberNonNumbersFirstStableInBothDirections) {
  using Order = std::vector<std::size_t>;
  std::vector<std::string> seventeen;  // long enough that an unstable sort shows
  for (int row = 0; row < 17; ++row) seventeen.push_back(row % 2 ? "1" : "         2");
  const Order odds = {1, 3, 5, 7, 9, 11, 13, 15, 0, 2, 4, 6, 8, 10, 12, 14, 16},
              evens = {0, 2, 4, 6, 8, 10, 12, 14, 16, 1, 3, 5, 7, 9, 11, 13, 15};
  const struct { int column; std::vector<std::string> keys; Order ascending, descending; } cases[] = {
      {kSizeColumn, {"3000000000", "       100", "         9", "        10"}, {2, 3, 1, 0}, {0, 1, 3, 2}},
      {kSizeColumn, {"10", "         9", "        10", "9"}, {1, 3, 0, 2}, {0, 2, 1, 3}},
      {kSizeColumn, {"         5", " ", "abc", "-1"}, {1, 2, 3, 0}, {0, 3, 2, 1}},
      {kNameColumn, {"9", "10", "B", "a"}, {1, 0, 2, 3}, {3, 2, 0, 1}}, {kNameColumn, {}, {}, {}},
      {kSizeColumn, seventeen, odds, evens}, {kNameColumn, seventeen, evens, odds}};
  for (const auto& c : cases)
    for (bool down : {false, true})
      EXPECT_EQ(down ? c.descending : c.ascending, SortedRowOrder(c.column, c.keys, down)) << "case " << &c - cases;
}

TEST(RankOfTag, DenseAndWidelySpreadTagsFindTheirRank) {
  const struct { std::vector<RowTag> tags; std::vector<int> ranks; } cases[] = {
      {{3, 1, 2, 0}, {10, 11, 12, 13}}, {{-5, -3, 0, 4103}, {2, 0, 3, 1}}, {{4108, 0}, {1, 0}},
      {{5, 1000000000, -7, 70000}, {0, 1, 2, 3}}, {{INT32_MIN, INT32_MAX, 0}, {1, 2, 0}}};
  for (const auto& c : cases)
    for (std::size_t r = 0; r < c.tags.size(); ++r)
      EXPECT_EQ(c.ranks[r], RankOfTag(c.tags, c.ranks)(c.tags[r])) << testing::PrintToString(c.tags);
}

TEST(RowsToRetag, LaterRowsOfARepeatedTagOrEveryRowWhenNoTagsAreLeft) {
  const struct { std::vector<RowTag> tags; std::vector<int> rows; RowTag firstFree; } cases[] = {
      {{0, 1, 2}, {}, 0}, {{1, 0, 1, 0, 2}, {2, 3}, 3}, {{5, 5, 5}, {1, 2}, 6}, {{INT32_MAX - 1, 0, 0}, {2}, INT32_MAX},
      {{INT32_MAX - 1, 0, 0, 0}, {0, 1, 2, 3}, 0}, {{7, INT32_MAX, 7}, {0, 1, 2}, 0}};
  for (const auto& c : cases) {
    RowTag firstFree = -1;
    std::vector<int> rows = RowsToRetag(c.tags, firstFree);
    std::sort(rows.begin(), rows.end());  // which rows, in any order
    EXPECT_EQ(c.rows, rows) << testing::PrintToString(c.tags);
    if (!c.rows.empty()) { EXPECT_EQ(c.firstFree, firstFree) << testing::PrintToString(c.tags); }
  }
}
