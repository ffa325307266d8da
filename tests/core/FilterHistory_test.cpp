#include "settings/FilterHistory.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

class MapStore : public FilterHistoryStore {
 public:
  explicit MapStore(std::map<int, std::string> values = {}) : values(std::move(values)) {}
  std::string Read(int number) override {
    ++reads;
    auto it = values.find(number);
    return it == values.end() ? std::string() : it->second;
  }
  void Write(int number, const std::string& value) override {
    writes.emplace_back(number, value);
    values[number] = value;
  }
  std::map<int, std::string> values;
  std::vector<std::pair<int, std::string>> writes;
  int reads = 0;
};

MapStore AllTaken() {
  MapStore store;
  for (int n = 1; n <= kFilterHistorySlots; ++n) store.values[n] = "f" + std::to_string(n);
  return store;
}

TEST(AddToFilterHistory, TakesTheLowestFreeSlot) {
  struct Case {
    const char* name;
    std::map<int, std::string> before;
    std::string filter;
    int expected;
  } const cases[] = {
      {"empty store", {}, "*.txt", 1},
      {"after three", {{1, "*.a"}, {2, "*.b"}, {3, "*.c"}}, "*.txt", 4},
      {"gap at two", {{1, "*.a"}, {3, "*.c"}}, "*.txt", 2},
      {"empty value is free", {{1, ""}, {2, "*.b"}}, "*.txt", 1},
      {"case differs", {{1, "*.TXT"}}, "*.txt", 2},
      {"blank differs", {{1, "*.txt"}}, " *.txt", 2},
  };
  for (const Case& c : cases) {
    MapStore store(c.before);
    EXPECT_EQ(c.expected, AddToFilterHistory(store, c.filter)) << c.name;
    ASSERT_EQ(1u, store.writes.size()) << c.name;
    EXPECT_EQ(std::make_pair(c.expected, c.filter), store.writes[0]) << c.name;
  }
}

TEST(AddToFilterHistory, OnlyTheLastSlotFree) {
  MapStore store = AllTaken();
  store.values.erase(kFilterHistorySlots);
  EXPECT_EQ(999, AddToFilterHistory(store, "*.txt"));
}

TEST(AddToFilterHistory, WritesNothingWhenPresentEmptyOrFull) {
  struct Case {
    const char* name;
    MapStore store;
    std::string filter;
  } cases[] = {
      {"present", MapStore({{1, "*.a"}, {2, "*.txt"}}), "*.txt"},
      {"present after a gap", MapStore({{5, "*.txt"}}), "*.txt"},
      {"empty filter", MapStore({{1, "*.a"}}), ""},
      {"all 999 taken", AllTaken(), "*.new"},
  };
  for (Case& c : cases) {
    const auto before = c.store.values;
    EXPECT_EQ(0, AddToFilterHistory(c.store, c.filter)) << c.name;
    EXPECT_TRUE(c.store.writes.empty()) << c.name;
    EXPECT_EQ(before, c.store.values) << c.name;
  }
}

TEST(AddToFilterHistory, EmptyFilterReadsNothing) {
  MapStore store;
  AddToFilterHistory(store, "");
  EXPECT_EQ(0, store.reads);
}

TEST(AddToFilterHistory, ComparesWithTheValueAsReadCutTo260) {
  const std::string filter(260, 'q');
  MapStore store({{1, filter + "tail"}});
  EXPECT_EQ(0, AddToFilterHistory(store, filter));
}

TEST(ListFilterHistory, HighestNumberFirst) {
  struct Case {
    const char* name;
    std::map<int, std::string> values;
    Strings expected;
  } const cases[] = {
      {"none", {}, {}},
      {"three", {{1, "*.a"}, {2, "*.b"}, {3, "*.c"}}, {"*.c", "*.b", "*.a"}},
      {"gaps and empties skipped", {{1, "*.a"}, {2, ""}, {7, "*.g"}, {999, "*.z"}},
       {"*.z", "*.g", "*.a"}},
      {"duplicates listed twice", {{1, "*.a"}, {2, "*.a"}}, {"*.a", "*.a"}},
  };
  for (const Case& c : cases) {
    MapStore store(c.values);
    EXPECT_EQ(c.expected, ListFilterHistory(store)) << c.name;
  }
}

TEST(ListFilterHistory, NewEntryListedFirstAndGapFillerSecond) {
  MapStore store({{1, "*.a"}, {2, "*.b"}, {3, "*.c"}});
  ASSERT_EQ(4, AddToFilterHistory(store, "*.new"));
  EXPECT_EQ((Strings{"*.new", "*.c", "*.b", "*.a"}), ListFilterHistory(store));

  MapStore gap({{1, "*.a"}, {3, "*.c"}});
  ASSERT_EQ(2, AddToFilterHistory(gap, "*.b"));
  EXPECT_EQ((Strings{"*.c", "*.b", "*.a"}), ListFilterHistory(gap));
}

TEST(ListFilterHistory, LongValueCutTo260Bytes) {
  MapStore store({{1, std::string(300, 'w')}, {2, std::string(260, 'v')}});
  EXPECT_EQ((Strings{std::string(260, 'v'), std::string(260, 'w')}), ListFilterHistory(store));
}

}  // namespace
