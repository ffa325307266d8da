#include "scan/FilterSplit.h"

#include <gtest/gtest.h>

TEST(SplitFilter, KeepsBlanksAndEmptyPiecesAndReadsOnly259Bytes) {
  const std::string a258(258, 'a'), a259(259, 'a');
  const struct { std::string filter; std::vector<std::string> expected; } cases[] = {
      {"*.txt; *.log", {"*.txt", " *.log"}}, {"a;;b;", {"a", "", "b", ""}}, {"", {"*.*"}},
      {std::string(300, 'a'), {a259}},       {a258 + ";b", {a258, ""}},      {a259 + ";b", {a259}}};
  for (const auto& c : cases) EXPECT_EQ(c.expected, SplitFilter(c.filter.c_str())) << c.filter;
}

TEST(MatchesEveryName, OnlyStarDotStar) {
  const struct { const char* pattern; bool every; } cases[] = {
      {"*.*", true}, {"*.txt", false}, {" *.*", false}, {"*.*;", false}, {"", false}};
  for (const auto& c : cases) EXPECT_EQ(c.every, MatchesEveryName(c.pattern)) << c.pattern;
}
