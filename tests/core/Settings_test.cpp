#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <tuple>

#include "settings/FilterHistory.h"
#include "settings/SettingsKeys.h"

TEST(ParseIniInt, SignHexBlanksGarbageAndClampingToInt) {
  const struct { const char* text; int expected; } cases[] = {{nullptr, 99}, {"", 0}, {" \t-34", -34}, {"+5", 5},
      {"12abc", 12}, {"abc", 0}, {"- 5", 0}, {"--5", 0}, {"0XE6ffff", 0xE6FFFF}, {"-0x10", -16}, {"0x1G", 1},
      {"2147483648", INT_MAX}, {"-2147483648", INT_MIN}, {"-2147483649", INT_MIN}, {"4294967297", INT_MAX},
      {"0x80000000", INT_MAX}, {"-0x80000000", INT_MIN}, {"0xAFaf", 0xAFAF}};
  for (const auto& c : cases) EXPECT_EQ(c.expected, ParseIniInt(c.text, 99)) << (c.text ? c.text : "null");
}

TEST(PercentDecode, RefusesAnEscapeCutShortOrNotHexAndBytesOutsideAscii) {
  std::string decoded;
  for (const char* text : {"%", "a%C", "%4", "%G0", "%0g", "\x80"}) EXPECT_FALSE(PercentDecode(text, decoded)) << text;
}

TEST(ClampWindowToScreen, KeepsReachableWindowsExactlyAndBringsOthersBack) {
  const WindowRect s = {0, 0, 1280, 1024}, wide = {-100, -50, 1000, 800}, tiny = {0, 0, 200, 100};
  const struct { WindowRect window, screen, expected; } cases[] = {
      {{1232, 976, 280, 240}, s, {1232, 976, 280, 240}}, {{-592, 0, 640, 480}, s, {-592, 0, 640, 480}},
      {{-593, 0, 640, 480}, s, {-592, 0, 640, 480}},     {{1233, 0, 640, 480}, s, {1232, 0, 640, 480}},
      {{0, -1, 640, 480}, s, {0, 0, 640, 480}},          {{0, 977, 640, 480}, s, {0, 976, 640, 480}},
      {{0, 0, 100, 50}, s, {0, 0, 280, 240}}, {{INT_MIN, INT_MIN, INT_MIN, INT_MIN}, s, {-232, 0, 280, 240}},
      {{0, 0, 640, 480}, tiny, {0, 0, 280, 240}}, {{INT_MAX, INT_MAX, INT_MAX, INT_MAX}, s, {1232, 976, 1280, 1024}},
      {{-9999, -9999, 640, 480}, wide, {-692, -50, 640, 480}}, {{9999, 9999, 640, 480}, wide, {852, 702, 640, 480}}};
  const auto tie = [](const WindowRect& r) { return std::make_tuple(r.left, r.top, r.width, r.height); };
  for (const auto& c : cases)
    EXPECT_EQ(tie(c.expected), tie(ClampWindowToScreen(c.window, c.screen))) << testing::PrintToString(tie(c.window));
}

using Writes = std::vector<std::pair<int, std::string>>;

// Slots 1..takenUpTo hold "f<n>" unless values says otherwise; writes are recorded, not stored.
struct MapStore : FilterHistoryStore {
  MapStore(std::map<int, std::string> v, int takenUpTo) : values(std::move(v)) {
    for (int n = 1; n <= takenUpTo; ++n) values.emplace(n, "f" + std::to_string(n));
  }
  std::string Read(int number) override { return values.count(number) ? values[number] : ""; }
  void Write(int number, const std::string& value) override { writes.emplace_back(number, value); }
  std::map<int, std::string> values;
  Writes writes;
};

TEST(AddToFilterHistory, LowestFreeSlotUnlessPresentEmptyOrFull) {
  const struct { std::map<int, std::string> values; int takenUpTo; std::string filter; int expected; } cases[] = {
      {{{1, "*.a"}, {3, "*.c"}}, 0, "*.txt", 2}, {{{1, ""}}, 2, "*.txt", 1}, {{{5, "*.txt"}}, 0, "*.txt", 0},
      {{{1, "*.TXT"}}, 0, "*.txt", 2}, {{}, 0, "", 0}, {{}, 998, "*.txt", 999}, {{}, 999, "*.txt", 0},
      {{{1, std::string(260, 'q') + "tail"}}, 0, std::string(260, 'q'), 0}};
  for (const auto& c : cases) {
    MapStore store(c.values, c.takenUpTo);
    EXPECT_EQ(c.expected, AddToFilterHistory(store, c.filter)) << "case " << &c - cases;
    EXPECT_EQ(c.expected ? Writes({{c.expected, c.filter}}) : Writes(), store.writes) << "case " << &c - cases;
  }
}
