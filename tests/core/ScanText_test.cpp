#include "scan/ScanText.h"

#include <gtest/gtest.h>

TEST(FormatProgress, CountSlashTotalThenKen) {
  EXPECT_EQ("0/0\x8C\x8F", FormatProgress(0, 0));
  EXPECT_EQ("12/2147483647\x8C\x8F", FormatProgress(12, 2147483647));
}
