#include <gtest/gtest.h>

#include "common/ColumnTable.h"
#include "listops/ClipboardText.h"
#include "listops/CsvLine.h"
#include "listops/Listing.h"
#include "listops/ListingCompare.h"
#include "listops/RowGestures.h"
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

TEST(AppendTabbedLine, QuotesOnlyCellsWithTabsLineBreaksOrQuotesAsSpreadsheetsReadThem) {
  const struct { std::vector<std::string> cells; const char* expected; } cases[] = {
      {{"a.txt", "", " ", "a,b"}, "a.txt\t\t \ta,b\r\n"}, {{"x\ty"}, "\"x\ty\"\r\n"},
      {{"l1\r\nl2", "cr\r", "\nlf"}, "\"l1\r\nl2\"\t\"cr\r\"\t\"\nlf\"\r\n"},
      {{"say \"hi\"", "\""}, "\"say \"\"hi\"\"\"\t\"\"\"\"\r\n"},
      {{"\x95\x5C.txt", "\x83\x5C\t"}, "\x95\x5C.txt\t\"\x83\x5C\t\"\r\n"}};  // 0x5C ends 表 and ソ
  for (const auto& c : cases) {
    std::string out = "#";
    AppendTabbedLine(out, c.cells.data(), static_cast<int>(c.cells.size()));
    EXPECT_EQ(std::string("#") + c.expected, out) << c.cells[0];
  }
}

TEST(PathLines, OnePerLineNoBreakAfterTheLast) {
  using Paths = std::vector<std::string>;
  const struct { Paths paths; const char* expected; } cases[] = {
      {{}, ""}, {{"C:\\a.txt"}, "C:\\a.txt"}, {{"C:\\a", "D:\\b c"}, "C:\\a\r\nD:\\b c"}, {{"", "x"}, "\r\nx"}};
  for (const auto& c : cases) EXPECT_EQ(c.expected, PathLines(c.paths)) << c.paths.size() << " paths";
}

TEST(RowKeyAction, DeleteAndEnterWhateverIsHeldSelectAllAndCopyOnlyWithCtrl) {
  const struct { int key; bool ctrl; RowKey action; } cases[] = {
      {0x2E, false, RowKey::Delete}, {0x2E, true, RowKey::Delete}, {0x0D, false, RowKey::Open},
      {0x0D, true, RowKey::Open},    {'A', true, RowKey::SelectAll}, {'A', false, RowKey::None},
      {'C', true, RowKey::Copy},     {'C', false, RowKey::None},     {0x2D, true, RowKey::Copy},
      {0x2D, false, RowKey::None},   {'B', true, RowKey::None},      {'a', true, RowKey::None}};
  for (const auto& c : cases) EXPECT_EQ(c.action, RowKeyAction(c.key, c.ctrl)) << c.key << (c.ctrl ? " with Ctrl" : "");
}

TEST(RowForMenu, TheFocusedRowWhenSelectedElseTheTopmostSelectedOne) {
  const struct { int focused; bool focusedSelected; int firstSelected, row; } cases[] = {
      {3, true, 1, 3}, {3, false, 1, 1}, {-1, false, 2, 2}, {3, false, -1, -1}, {-1, false, -1, -1}, {0, true, 0, 0}};
  for (const auto& c : cases) EXPECT_EQ(c.row, RowForMenu(c.focused, c.focusedSelected, c.firstSelected));
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

TEST(ReadListing, TakesOnlyQuotedLinesOf17CellsEndedByCrLfAndNamesTheLineWhereTheFirstOtherBegins) {
  std::string tail;  // 16 empty cells and the line's end
  for (int c = 1; c < kColumnCount; ++c) tail += ",\"\"";
  const auto line = [&](const std::string& first) { return first + tail + "\r\n"; };
  const std::string bom = "\xEF\xBB\xBF", two = line("\"l1\r\nl2\nl2\"");  // a cell over two lines
  using Names = std::vector<std::string>;
  const struct { std::string bytes; int line; bool utf8; Names names; } cases[] = {
      {"", 0, false, {}}, {bom, 0, true, {}}, {line("\"a\"") + line("\"\""), 0, false, {"a", ""}},
      {line("\"say \"\"hi\"\", ok\""), 0, false, {"say \"hi\", ok"}}, {two, 0, false, {"l1\r\nl2\nl2"}},
      {line("\"\x82\xA0\""), 0, false, {"\x82\xA0"}}, {bom + line("\"\xE3\x81\x82\""), 0, true, {"\xE3\x81\x82"}},
      {bom + line("\"\x82\xA0\""), 1, true, {}}, {bom + two + line("\"\xED\xA0\x80\""), 3, true, {}},  // not UTF-8
      // 18 cells, 16, one unquoted, text after a quote, an unclosed quote, no CR LF, LF alone, NUL, an empty line
      {two + line("\"a\",\"\""), 3, false, {}}, {two + tail.substr(1) + "\r\n", 3, false, {}},
      {two + line("a"), 3, false, {}}, {two + line("\"a\" "), 3, false, {}}, {two + "\"a", 3, false, {}},
      {two + two.substr(0, two.size() - 2), 3, false, {}}, {two + two.substr(0, two.size() - 2) + "\n", 3, false, {}},
      {two + line(std::string("\"\0\"", 3)), 3, false, {}}, {line("\"\"") + line("\"\"") + "\r\n", 3, false, {}}};
  for (const auto& c : cases) {
    Listing listing;
    int at = -1;
    EXPECT_EQ(c.line == 0, ReadListing(c.bytes, listing, at)) << "case " << &c - cases;
    EXPECT_EQ(c.line, at) << "case " << &c - cases;
    if (c.line != 0) continue;
    Names names;
    for (const ListingRow& row : listing.rows) names.push_back(row[0]);
    EXPECT_EQ(c.names, names) << "case " << &c - cases;
    EXPECT_EQ(c.utf8, listing.utf8) << "case " << &c - cases;
  }
}

TEST(CompareListings, PairsRelativePathsInEitherCaseInOrderAndCountsOnlyTheColumnsOfTheContent) {
  const auto row = [](std::string path, std::string size, std::string modified = "m", std::string attributes = "A",
                      std::string version = "") {
    ListingRow r;
    r[kPathColumn] = path, r[kSizeColumn] = size, r[kModifiedColumn] = modified, r[kAttributesColumn] = attributes;
    r[kFirstVersionColumn + 3] = version;
    return r;
  };
  ListingRow read = row("C:\\New\\read.txt", "  -5");  // only read since: created and accessed differ
  read[kTypeColumn] = "t", read[kCreatedColumn] = "c", read[kAccessedColumn] = "a", read[kShortNameColumn] = "R~1";
  const std::vector<ListingRow> before = {row("D:\\old\\same.txt", "1234"), row("D:\\old\\gone.txt", "1"),
      row("D:\\old\\grown.txt", "1234"), row("D:\\old\\READ.TXT", "-5"), row("D:\\old\\touched.txt", "1"),
      row("D:\\old\\sub\\app.dll", "x", "m", "A", "1.0"), row("D:\\old\\dup", "1"), row("D:\\old\\dup", "2"),
      row("E:\\out.txt", "1"), row("D:\\old\\twice", "1")};
  const std::vector<ListingRow> now = {row("C:\\New\\added.txt", "1"), row("c:\\NEW\\same.txt", "      1234"),
      row("C:\\New\\grown.txt", "1235"), read, row("C:\\New\\touched.txt", "1", "M"),
      row("C:\\New\\SUB\\app.dll", "x", "m", "RA", "1.1"), row("C:\\New\\dup", "1"), row("C:\\New\\dup", "2"),
      row("C:\\New\\dup", "3"), row("E:\\OUT.txt", "2"), row("D:\\old\\twice", "1")};
  const auto upper = [](std::string_view s) {
    std::string u(s);
    for (char& c : u) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
    return u;
  };
  std::string shown;
  for (const Difference& d : CompareListings(now, "C:\\New\\", before, "D:\\old\\", upper)) {
    shown += "+~-"[static_cast<int>(d.change)] + std::to_string(d.row);
    for (int c : d.columns) shown += ":" + std::to_string(c);
    shown += " ";
  }
  EXPECT_EQ("+0 ~2:2 ~4:4 ~5:6:11 +8 ~9:2 +10 -1 -9 ", shown);
  EXPECT_TRUE(CompareListings(before, "D:\\old\\", before, "d:\\OLD\\", upper).empty());
}

TEST(ChangeTexts, NamesOfTheChangesAndHeadersOfTheColumnsJoinedBySemicolons) {
  EXPECT_STREQ("追加", ChangeName(FileChange::Added));
  EXPECT_STREQ("変更", ChangeName(FileChange::Changed));
  EXPECT_STREQ("削除", ChangeName(FileChange::Removed));
  EXPECT_EQ("サイズ;更新日時", ChangedColumnsText({kSizeColumn, kModifiedColumn}));
  EXPECT_EQ("製品ﾊﾞｰｼﾞｮﾝ", ChangedColumnsText({kPathColumn - 1}));
  EXPECT_EQ("", ChangedColumnsText({}));
}
