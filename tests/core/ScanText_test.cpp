#include "scan/ScanText.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

TEST(FormatProgress, CountSlashTotalThenKen) {
  struct Case {
    int count, total;
    std::string expected;
  } const cases[] = {
      {0, 0, "0/0\x8C\x8F"},
      {3, 10, "3/10\x8C\x8F"},
      {12345, 67890, "12345/67890\x8C\x8F"},
      {INT_MIN, INT_MAX, "-2147483648/2147483647\x8C\x8F"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, FormatProgress(c.count, c.total));
}

TEST(FormatProgress, KenIsTheCodePage932Literal) { EXPECT_EQ("1/2件", FormatProgress(1, 2)); }

}  // namespace
