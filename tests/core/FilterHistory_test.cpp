#include "settings/FilterHistory.h"

#include <gtest/gtest.h>

#include <map>

using Values = std::map<int, std::string>;
using Writes = std::vector<std::pair<int, std::string>>;

// Slots 1..takenUpTo hold "f<n>" unless values says otherwise.
struct MapStore : FilterHistoryStore {
  explicit MapStore(Values v, int takenUpTo = 0) : values(std::move(v)) {
    for (int n = 1; n <= takenUpTo; ++n) values.emplace(n, "f" + std::to_string(n));
  }
  std::string Read(int number) override { return values.count(number) ? values[number] : ""; }
  void Write(int number, const std::string& value) override { writes.emplace_back(number, value); }
  Values values;
  Writes writes;
};

TEST(ListFilterHistory, NewestFirstEmptiesSkippedLongValuesCutTo260) {
  const struct { Values values; std::vector<std::string> expected; } cases[] = {
      {{{1, "*.a"}, {2, ""}, {7, "*.g"}, {999, "*.z"}}, {"*.z", "*.g", "*.a"}},
      {{{1, "*.a"}, {2, "*.a"}}, {"*.a", "*.a"}}, {{{5, std::string(300, 'w')}}, {std::string(260, 'w')}}, {{}, {}}};
  for (const auto& c : cases) { MapStore store(c.values); EXPECT_EQ(c.expected, ListFilterHistory(store)); }
}

TEST(AddToFilterHistory, LowestFreeSlotUnlessPresentEmptyOrFull) {
  const struct { Values values; int takenUpTo; std::string filter; int expected; } cases[] = {
      {{}, 0, "*.txt", 1}, {{}, 3, "*.txt", 4}, {{{1, "*.a"}, {3, "*.c"}}, 0, "*.txt", 2}, {{{1, ""}}, 2, "*.txt", 1},
      {{{5, "*.txt"}}, 0, "*.txt", 0}, {{{1, "*.TXT"}}, 0, "*.txt", 2}, {{}, 0, "", 0}, {{}, 998, "*.txt", 999},
      {{}, 999, "*.txt", 0}, {{{1, std::string(260, 'q') + "tail"}}, 0, std::string(260, 'q'), 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.filter.substr(0, 5) << " after " << c.values.size() << "+" << c.takenUpTo);
    MapStore store(c.values, c.takenUpTo);
    EXPECT_EQ(c.expected, AddToFilterHistory(store, c.filter));
    EXPECT_EQ(c.expected ? Writes({{c.expected, c.filter}}) : Writes(), store.writes);
  }
}
