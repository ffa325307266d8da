#include "listops/SortCompare.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/ColumnTable.h"

namespace {

using Order = std::vector<std::size_t>;
using Keys = std::vector<std::string>;
constexpr int kNameColumn = 0;
constexpr int kCreatedColumn = 3;

TEST(CompareCellBytes, UnsignedByteOrderPrefixFirst) {
  struct Case {
    std::string a, b;
    int expected;
  } const cases[] = {
      {"A.TXT", "a.txt", -1},
      {"a.txt", "A.TXT", 1},
      {"a", "a", 0},
      {"", "", 0},
      {"", "a", -1},
      {"ab", "a", 1},
      {"\x7F", "\x80", -1},
      {"z", "\x95\x5C", -1},     // high bytes sort after ASCII
      {"\xFF", "\x01", 1},
      {"(不明)", "2024-01-01", -1},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, CompareCellBytes(c.a, c.b)) << c.a << " " << c.b;
}

TEST(CompareCellBytes, LongKeysDifferingAfterByte255) {
  const std::string base(299, 'x');
  EXPECT_EQ(-1, CompareCellBytes(base + "a", base + "b"));
  EXPECT_EQ(1, CompareCellBytes(base + "b", base + "a"));
  const std::string at256a = std::string(256, 'k') + "a" + std::string(43, 'k');
  const std::string at256b = std::string(256, 'k') + "b" + std::string(43, 'k');
  EXPECT_EQ(-1, CompareCellBytes(at256a, at256b));
  EXPECT_EQ(-1, CompareCellBytes(base, base + "x"));
}

TEST(ParseSizeCell, BlanksSignDigitsAndNothingElse) {
  struct Case {
    std::string text;
    bool ok;
    long long value;
  } const cases[] = {
      {"         0", true, 0},
      {"         9", true, 9},
      {"      1234", true, 1234},
      {"3000000000", true, 3000000000LL},
      {"12345678901", true, 12345678901LL},
      {"-1", true, -1},
      {"-1294967296", true, -1294967296LL},
      {"    -5", true, -5},
      {"-0", true, 0},
      {"9223372036854775807", true, 9223372036854775807LL},
      {"-9223372036854775808", true, -9223372036854775807LL - 1},
      {"9223372036854775808", false, 0},
      {"-9223372036854775809", false, 0},
      {"99999999999999999999", false, 0},
      {"", false, 0},
      {"     ", false, 0},
      {"-", false, 0},
      {"  -", false, 0},
      {"+5", false, 0},
      {"5 ", false, 0},
      {"12a", false, 0},
      {"1,234", false, 0},
      {"- 5", false, 0},
      {"\t5", false, 0},
      {"(不明)", false, 0},
  };
  for (const Case& c : cases) {
    long long value = 77;
    EXPECT_EQ(c.ok, ParseSizeCell(c.text, value)) << '"' << c.text << '"';
    if (c.ok) {
      EXPECT_EQ(c.value, value) << c.text;
    }
  }
}

TEST(CompareCells, SizeColumnIsNumericTextFirst) {
  struct Case {
    std::string a, b;
    int expected;
  } const cases[] = {
      {"         9", "        10", -1},
      {"        10", "       100", -1},
      {"       100", "3000000000", -1},
      {"3000000000", "         9", 1},
      {"10", "        10", 0},          // equal numbers tie whatever the padding
      {"-1", "         0", -1},
      {" ", "         0", -1},          // a non-number before every number
      {"         0", " ", 1},
      {"-1", "abc", 1},
      {"abc", "abd", -1},               // two non-numbers by bytes
      {"abc", "abc", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, CompareCells(kSizeColumn, c.a, c.b)) << c.a << " | " << c.b;
  }
}

TEST(CompareCells, OtherColumnsCompareBytes) {
  EXPECT_EQ(1, CompareCells(kNameColumn, "9", "10"));
  EXPECT_EQ(-1, CompareCells(kNameColumn, "A.TXT", "a.txt"));
  EXPECT_EQ(-1, CompareCells(kCreatedColumn, "(不明)", "1999-12-31"));
  EXPECT_EQ(1, CompareCells(6, "R", "A"));
}

TEST(SortedRowOrder, OrdersByKeyInBothDirections) {
  struct Case {
    const char* name;
    int column;
    Keys keys;
    Order ascending, descending;
  } const cases[] = {
      {"sizes numerically", kSizeColumn,
       {"3000000000", "       100", "         9", "        10"}, {2, 3, 1, 0}, {0, 1, 3, 2}},
      {"names by bytes", kNameColumn, {"a.txt", "B.TXT", "A.TXT"}, {2, 1, 0}, {0, 1, 2}},
      {"unknown before dates", kCreatedColumn,
       {"2020-01-01 00:00:00", "(不明)", "1999-12-31 23:59:59"}, {1, 2, 0}, {0, 2, 1}},
      {"text before sizes", kSizeColumn, {"         5", " ", "abc", "-1"}, {1, 2, 3, 0},
       {0, 3, 2, 1}},
      {"empty", kNameColumn, {}, {}, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.ascending, SortedRowOrder(c.column, c.keys, false)) << c.name;
    EXPECT_EQ(c.descending, SortedRowOrder(c.column, c.keys, true)) << c.name;
  }
}

TEST(SortedRowOrder, EqualKeysKeepTheirOrderInBothDirections) {
  struct Case {
    const char* name;
    int column;
    Keys keys;
    Order ascending, descending;
  } const cases[] = {
      {"names", kNameColumn, {"b", "a", "b", "a"}, {1, 3, 0, 2}, {0, 2, 1, 3}},
      {"all equal", kNameColumn, {"x", "x", "x"}, {0, 1, 2}, {0, 1, 2}},
      // Same number, different padding: still a tie.
      {"sizes", kSizeColumn, {"10", "         9", "        10", "9"}, {1, 3, 0, 2}, {0, 2, 1, 3}},
      {"unknown dates", kCreatedColumn, {"(不明)", "2001-01-01", "(不明)"}, {0, 2, 1}, {1, 0, 2}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.ascending, SortedRowOrder(c.column, c.keys, false)) << c.name;
    EXPECT_EQ(c.descending, SortedRowOrder(c.column, c.keys, true)) << c.name;
  }
}

// Rows holding each key in turn, every group in current row order.
Order GroupedRows(const Keys& keys, const std::vector<std::string>& keyOrder) {
  Order rows;
  for (const std::string& k : keyOrder) {
    for (std::size_t i = 0; i < keys.size(); ++i) {
      if (keys[i] == k) rows.push_back(i);
    }
  }
  return rows;
}

TEST(SortedRowOrder, EqualKeysKeepTheirOrderInLongLists) {
  // Long enough that an unstable sort would not fall back to insertion sort.
  const std::string nine = "         9", ten = "        10", big = "3000000000";
  const std::string cycle[3] = {ten, nine, big};
  Keys sizes, names;
  for (int i = 0; i < 300; ++i) {
    sizes.push_back(cycle[(i * 7) % 3]);
    names.push_back((i * 7) % 5 < 2 ? "b" : "a");
  }
  EXPECT_EQ(GroupedRows(sizes, {nine, ten, big}), SortedRowOrder(kSizeColumn, sizes, false));
  EXPECT_EQ(GroupedRows(sizes, {big, ten, nine}), SortedRowOrder(kSizeColumn, sizes, true));
  EXPECT_EQ(GroupedRows(names, {"a", "b"}), SortedRowOrder(kNameColumn, names, false));
  EXPECT_EQ(GroupedRows(names, {"b", "a"}), SortedRowOrder(kNameColumn, names, true));
}

TEST(SortedRowOrder, LongKeysDifferingAfterByte255) {
  const std::string base(300, 'x');
  Keys keys = {base, base, base};
  keys[0][280] = 'c';
  keys[1][280] = 'a';
  keys[2][280] = 'b';
  EXPECT_EQ((Order{1, 2, 0}), SortedRowOrder(kPathColumn, keys, false));
  EXPECT_EQ((Order{0, 2, 1}), SortedRowOrder(kPathColumn, keys, true));
}

}  // namespace
