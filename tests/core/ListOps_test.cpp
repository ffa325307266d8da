#include <gtest/gtest.h>

#include "common/ColumnTable.h"
#include "listops/ClipboardText.h"
#include "listops/ListingCompare.h"
#include "listops/RowGestures.h"

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
      {3, true, 1, 3}, {3, false, 1, 1}, {-1, false, 2, 2}, {3, false, -1, -1}, {-1, false, -1, -1}, {0, true, 0, 0},
      {3, false, 0, 0}};
  for (const auto& c : cases) EXPECT_EQ(c.row, RowForMenu(c.focused, c.focusedSelected, c.firstSelected));
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
