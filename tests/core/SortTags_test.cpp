#include "listops/SortTags.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(RankOfTag, DenseAndWidelySpreadTagsFindTheirRank) {
  const struct { std::vector<RowTag> tags; std::vector<int> ranks; } cases[] = {
      {{3, 1, 2, 0}, {10, 11, 12, 13}}, {{-5, -3, 0, 4103}, {2, 0, 3, 1}}, {{4108, 0}, {1, 0}},
      {{5, 1000000000, -7, 70000}, {0, 1, 2, 3}}, {{INT32_MIN, INT32_MAX, 0}, {1, 2, 0}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.tags));
    const RankOfTag rank(c.tags, c.ranks);
    for (std::size_t r = 0; r < c.tags.size(); ++r) EXPECT_EQ(c.ranks[r], rank(c.tags[r])) << c.tags[r];
  }
}

TEST(RowsToRetag, LaterRowsOfARepeatedTagOrEveryRowWhenNoTagsAreLeft) {
  const struct { std::vector<RowTag> tags; std::vector<int> rows; RowTag firstFree; } cases[] = {
      {{0, 1, 2}, {}, 0}, {{1, 0, 1, 0, 2}, {2, 3}, 3}, {{5, 5, 5}, {1, 2}, 6}, {{INT32_MAX - 1, 0, 0}, {2}, INT32_MAX},
      {{INT32_MAX - 1, 0, 0, 0}, {0, 1, 2, 3}, 0}, {{7, INT32_MAX, 7}, {0, 1, 2}, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.tags));
    RowTag firstFree = -1;
    std::vector<int> rows = RowsToRetag(c.tags, firstFree);
    std::sort(rows.begin(), rows.end());  // which rows, in any order
    EXPECT_EQ(c.rows, rows);
    if (!c.rows.empty()) { EXPECT_EQ(c.firstFree, firstFree); }
  }
}
