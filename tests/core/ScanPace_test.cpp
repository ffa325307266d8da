#include "scan/ScanPace.h"

#include <gtest/gtest.h>

TEST(IntervalPassed, CountsAcrossTheTickWrap) {
  const struct { std::uint32_t now, since, interval; bool passed; } cases[] = {
      {1000, 900, 100, true}, {1000, 901, 100, false}, {7, 7, 0, true},
      {4, 0xFFFFFFA0u, 100, true}, {3, 0xFFFFFFA0u, 100, false}};  // 96 ticks before the wrap, then 4 or 3
  for (const auto& c : cases) EXPECT_EQ(c.passed, IntervalPassed(c.now, c.since, c.interval)) << c.now;
}

TEST(ViewIsFull, OnlyOnceTheRowCutOffAtTheBottomExists) {
  const struct { int top, perPage, rows; bool full; } cases[] = {
      {0, 10, 10, false}, {0, 10, 11, true}, {5, 10, 15, false}, {5, 10, 16, true}, {0, 0, 0, false}};
  for (const auto& c : cases) EXPECT_EQ(c.full, ViewIsFull(c.top, c.perPage, c.rows)) << c.rows;
}
