#include "listops/CsvLine.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string LineOf(const std::string& cell) {
  std::string out;
  AppendCsvLine(out, &cell, 1);
  return out;
}

TEST(AppendCsvLine, QuotesEachCellAndDoublesInnerQuotes) {
  struct Case {
    std::string cell;
    std::string expected;
  } const cases[] = {
      {"a.txt", "\"a.txt\"\r\n"},
      {"", "\"\"\r\n"},
      {"say \"hi\"", "\"say \"\"hi\"\"\"\r\n"},
      {"\"", "\"\"\"\"\r\n"},
      {"a,b,c", "\"a,b,c\"\r\n"},                      // commas kept inside the quotes
      {"line1\r\nline2", "\"line1\r\nline2\"\r\n"},
      {"\x95\x5C", "\"\x95\x5C\"\r\n"},                // 表: trail byte 0x5C untouched
      {"\x83\x5C\x22", "\"\x83\x5C\x22\x22\"\r\n"},    // ソ then a real quote
      {"\xB1\xFC\xFC", "\"\xB1\xFC\xFC\"\r\n"},
      {"         0", "\"         0\"\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, LineOf(c.cell)) << c.cell;
}

TEST(AppendCsvLine, WritesLongCellsWhole) {
  const std::string cell(5000, 'x');
  EXPECT_EQ("\"" + cell + "\"\r\n", LineOf(cell));
  const std::string quotes(300, '"');
  EXPECT_EQ("\"" + std::string(600, '"') + "\"\r\n", LineOf(quotes));
}

TEST(AppendCsvLine, AppendsAfterWhatIsThere) {
  std::string out = "\"x\"\r\n";
  const std::string cells[2] = {"a", "b"};
  AppendCsvLine(out, cells, 2);
  EXPECT_EQ("\"x\"\r\n\"a\",\"b\"\r\n", out);
}

TEST(AppendCsvLine, NoCellsIsAnEmptyLine) {
  std::string out;
  AppendCsvLine(out, nullptr, 0);
  EXPECT_EQ("\r\n", out);
}

TEST(AppendCsvLine, SeventeenCellRowExactBytes) {
  const std::string cells[17] = {
      "図表.xls", "Microsoft Excel ﾜｰｸｼｰﾄ", "     24576", "2001-02-03 04:05:06",
      "2001-02-03 04:05:07", "(不明)", "A", "図表~1.XLS", "Co \"Q\"", " ", "1,2,3,4", " ", " ",
      " ", " ", " ", "C:\\図表\\",
  };
  std::string out;
  AppendCsvLine(out, cells, 17);
  const std::string expected =
      "\"\x90\x7D\x95\x5C.xls\",\"Microsoft Excel \xDC\xB0\xB8\xBC\xB0\xC4\",\"     24576\","
      "\"2001-02-03 04:05:06\",\"2001-02-03 04:05:07\",\"\x28\x95\x73\x96\xBE\x29\",\"A\","
      "\"\x90\x7D\x95\x5C~1.XLS\",\"Co \"\"Q\"\"\",\" \",\"1,2,3,4\",\" \",\" \",\" \",\" \","
      "\" \",\"C:\\\x90\x7D\x95\x5C\\\"\r\n";
  EXPECT_EQ(expected, out);
}

}  // namespace
