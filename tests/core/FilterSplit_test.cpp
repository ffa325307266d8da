#include "scan/FilterSplit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Pieces = std::vector<std::string>;

TEST(SplitFilter, SplitsOnEverySemicolonKeepingBlanksAndEmptyPieces) {
  struct Case {
    const char* filter;
    Pieces expected;
  } const cases[] = {
      {"*.txt", {"*.txt"}},
      {"*.txt;*.log", {"*.txt", "*.log"}},
      {"*.txt; *.log", {"*.txt", " *.log"}},
      {"a;;b;", {"a", "", "b", ""}},
      {";", {"", ""}},
      {" ", {" "}},
      {"図表*.xls;ソ*", {"図表*.xls", "ソ*"}},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, SplitFilter(c.filter)) << c.filter;
}

TEST(SplitFilter, EmptyOrNullFilterMeansEveryFile) {
  EXPECT_EQ(Pieces{"*.*"}, SplitFilter(""));
  EXPECT_EQ(Pieces{"*.*"}, SplitFilter(nullptr));
}

TEST(SplitFilter, UsesOnlyTheFirst259Bytes) {
  struct Case {
    std::string filter;
    Pieces expected;
  } const cases[] = {
      {std::string(259, 'a'), {std::string(259, 'a')}},
      {std::string(300, 'a'), {std::string(259, 'a')}},
      {std::string(257, 'a') + ";bcd", {std::string(257, 'a'), "b"}},
      {std::string(259, 'a') + ";b", {std::string(259, 'a')}},
      {std::string(258, 'a') + ";b", {std::string(258, 'a'), ""}},
      // The cut falls inside 表: only its lead byte remains.
      {std::string(258, 'a') + "\x95\x5C", {std::string(258, 'a') + "\x95"}},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, SplitFilter(c.filter.c_str())) << c.filter.size();
}

}  // namespace
