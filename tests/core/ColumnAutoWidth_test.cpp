#include "scan/ColumnAutoWidth.h"

#include <gtest/gtest.h>

#include <map>

TEST(WidthCandidates, KeepsTheWidestDistinctTextsOfEachColumnWholeAndCutTo259) {
  std::map<wchar_t, int> asked;
  WidthCandidates candidates(3, [&](wchar_t c) { ++asked[c]; return c == L'W' ? 10 : 5; });
  const auto offer = [&](int column, int row, int narrow, int wide) {
    const std::wstring text = std::wstring(narrow, L'a') + std::wstring(wide, L'W');
    candidates.Offer(column, row, text.c_str(), static_cast<int>(text.size()));
  };
  // Column 0: row 0 is widest cut to 259 only; rows 1-9 are wider whole (row 9 a ninth), all cut alike.
  offer(0, 0, 0, 259);
  for (int row = 1; row <= 9; ++row) offer(0, row, 259, 310 - row);
  // Column 1: row 18 is widest whole only; rows 10-17, offered last first, are wider cut.
  for (int row = 17; row >= 10; --row) offer(1, row, 0, 120 + row);
  offer(1, 18, 259, 10);
  // Column 2: the widest text nine times, so the runner-up in row 29 stays; row 30 is empty.
  for (int row = 20; row <= 28; ++row) offer(2, row, 0, 3);
  offer(2, 29, 4, 0);
  offer(2, 30, 0, 0);
  const std::vector<int> rows = {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13, 14, 15, 16, 17, 18, 20, 29};
  EXPECT_EQ(rows, candidates.Rows());
  EXPECT_EQ((std::map<wchar_t, int>{{L'W', 1}, {L'a', 1}}), asked);
}
