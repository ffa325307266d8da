#include <gtest/gtest.h>

#include "common/ColumnTable.h"
#include "listops/CsvLine.h"
#include "listops/SortCompare.h"

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

TEST(SortedRowOrder, LongListsOfTextWithALongSharedPrefixByUnsignedBytesStable) {
  // Rows r and r + 40 hold the prefix and (r * 7) % 40 bytes 'z'; 7 * 23 = 1 (mod 40) gives the row
  // of each length. Two more rows end in 0x7F and 0x80, after every 'z' and in that order.
  const std::string prefix = "C:\\a folder shared by all\\";
  std::vector<std::string> keys;
  for (int r = 0; r < 80; ++r) keys.push_back(prefix + std::string(r % 40 * 7 % 40, 'z'));
  keys.push_back(prefix + "\x7F");
  keys.push_back(prefix + "\x80");
  std::vector<std::size_t> ascending, descending = {81, 80};
  for (std::size_t length = 0; length < 40; ++length) ascending.push_back(length * 23 % 40), ascending.push_back(length * 23 % 40 + 40);
  for (std::size_t length = 40; length-- > 0;) descending.push_back(length * 23 % 40), descending.push_back(length * 23 % 40 + 40);
  ascending.push_back(80), ascending.push_back(81);
  EXPECT_EQ(ascending, SortedRowOrder(kPathColumn, keys, false));
  EXPECT_EQ(descending, SortedRowOrder(kPathColumn, keys, true));
}
