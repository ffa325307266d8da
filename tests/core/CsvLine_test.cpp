#include "listops/CsvLine.h"

#include <gtest/gtest.h>

#include <vector>

TEST(AppendCsvLine, QuotesEveryCellDoublesQuotesEndsCrLf) {
  const struct { std::vector<std::string> cells; const char* expected; } cases[] = {
      {{"a.txt"}, "\"a.txt\"\r\n"}, {{"say \"hi\""}, "\"say \"\"hi\"\"\"\r\n"}, {{"\""}, "\"\"\"\"\r\n"},
      {{"a,b", "", "x"}, "\"a,b\",\"\",\"x\"\r\n"}, {{"l1\r\nl2"}, "\"l1\r\nl2\"\r\n"},
      {{"\x83\x5C\"", "\x95\x5C", "\xFF\x80"}, "\"\x83\x5C\"\"\",\"\x95\x5C\",\"\xFF\x80\"\r\n"}};
  for (const auto& c : cases) {
    std::string out = "#";  // appended to, not replaced
    AppendCsvLine(out, c.cells.data(), static_cast<int>(c.cells.size()));
    EXPECT_EQ(std::string("#") + c.expected, out) << c.cells.size() << " cells";
  }
}
