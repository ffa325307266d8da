#include "settings/SettingsKeys.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

TEST(SettingsKeys, NamesAndDefaults) {
  EXPECT_STREQ("OPTION", kSettingsSection);
  EXPECT_STREQ("FILTER", kFilterKey);
  EXPECT_STREQ("*.*", kDefaultFilter);
  EXPECT_STREQ("DIR1", kFolderKey);
  struct Case {
    const IntSettingKey& key;
    const char* name;
    int value;
  } const cases[] = {
      {kSubKey, "SUB", 1},       {kAutoKey, "AUTO", 0},       {kDeleteKey, "DELETE", 1},
      {kTopKey, "TOP", 0},       {kBottomKey, "BOTTOM", 480}, {kLeftKey, "LEFT", 0},
      {kRightKey, "RIGHT", 640}, {kColorKey, "COLOR", 0xE6FFFF},
  };
  for (const Case& c : cases) {
    EXPECT_STREQ(c.name, c.key.key);
    EXPECT_EQ(c.value, c.key.defaultValue) << c.name;
  }
}

TEST(ColumnWidthKey, OneBasedTwoDigits) {
  struct Case {
    int column;
    const char* expected;
  } const cases[] = {{0, "COLMN01"}, {8, "COLMN09"}, {9, "COLMN10"}, {16, "COLMN17"}};
  for (const Case& c : cases) EXPECT_EQ(c.expected, ColumnWidthKey(c.column));
}

TEST(FilterHistoryKey, ThreeDigits) {
  struct Case {
    int number;
    const char* expected;
  } const cases[] = {{1, "FILTER001"}, {42, "FILTER042"}, {100, "FILTER100"}, {999, "FILTER999"}};
  for (const Case& c : cases) EXPECT_EQ(c.expected, FilterHistoryKey(c.number));
}

TEST(SettingsPathFromExePath, ReplacesTheLastThreeCharacters) {
  struct Case {
    std::string exe, expected;
  } const cases[] = {
      {"C:\\Tools\\FILORA.EXE", "C:\\Tools\\FILORA.INI"},
      {"C:\\Tools\\filora.exe", "C:\\Tools\\filora.INI"},
      {"C:\\図表\\FILORA.EXE", "C:\\図表\\FILORA.INI"},
      {"abc", "INI"},
      {"ab", "ab.INI"},
      {"", ".INI"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, SettingsPathFromExePath(c.exe)) << c.exe;
}

TEST(ParseIniInt, ReadsLikeTheProfileReader) {
  struct Case {
    const char* text;
    int expected;
  } const cases[] = {
      {"", 0},
      {"12", 12},
      {"0", 0},
      {"  \t-34", -34},
      {"+5", 5},
      {"007", 7},
      {"12abc", 12},
      {"1 2", 1},
      {"abc", 0},
      {"-", 0},
      {"0x1F", 31},
      {"0Xe6ffff", 0xE6FFFF},
      {"15138815", 0xE6FFFF},
      {"-0x10", -16},
      {"0x", 0},
      {"0xZ", 0},
      {"0x1G", 1},
      {"x10", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, ParseIniInt(c.text, 99)) << c.text;
}

TEST(ParseIniInt, MissingValueIsTheDefault) {
  EXPECT_EQ(480, ParseIniInt(nullptr, 480));
  EXPECT_EQ(0, ParseIniInt("", 480));
}

TEST(ParseIniInt, ClampsToTheIntRange) {
  struct Case {
    const char* text;
    int expected;
  } const cases[] = {
      {"2147483647", INT_MAX},
      {"2147483648", INT_MAX},
      {"-2147483648", INT_MIN},
      {"-2147483649", INT_MIN},
      {"99999999999999999999999999", INT_MAX},
      {"-99999999999999999999999999", INT_MIN},
      {"0x7FFFFFFF", INT_MAX},
      {"0xFFFFFFFF", INT_MAX},
      {"0xFFFFFFFFFFFFFFFFFFFFFFFF", INT_MAX},
      {"-0x80000000", INT_MIN},
      {"18446744073709551617", INT_MAX},  // 2^64 + 1: must not wrap round to 1
      {"0x10000000000000005", INT_MAX},
      {"-18446744073709551617", INT_MIN},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, ParseIniInt(c.text, 7)) << c.text;
}

TEST(ClampWindowToScreen, KeepsAWindowThatCanBeReached) {
  const WindowRect screen = {0, 0, 1280, 1024};
  const WindowRect kept[] = {
      {0, 0, 640, 480},          // first start
      {600, 500, 700, 500},      // partly beyond the right and bottom edges
      {-200, 10, 640, 480},      // partly left of the screen
      {0, 0, 1280, 1024},        // as large as the screen
      {1280 - 48, 1024 - 48, 280, 240},
      {48 - 640, 0, 640, 480},
  };
  for (const WindowRect& w : kept) {
    const WindowRect r = ClampWindowToScreen(w, screen);
    EXPECT_EQ(w.left, r.left);
    EXPECT_EQ(w.top, r.top);
    EXPECT_EQ(w.width, r.width);
    EXPECT_EQ(w.height, r.height);
  }
}

TEST(ClampWindowToScreen, BringsAStrayWindowBackWithinReach) {
  const WindowRect screen = {-1280, -200, 2560, 1224};  // a second monitor left of and above the first
  struct Case {
    WindowRect window, expected;
  } const cases[] = {
      {{99999, 0, 640, 480}, {1280 - 48, 0, 640, 480}},
      {{0, -99999, 640, 480}, {0, -200, 640, 480}},
      {{0, 99999, 640, 480}, {0, 1024 - 48, 640, 480}},
      {{-99999, 0, 640, 480}, {-1280 + 48 - 640, 0, 640, 480}},
      {{0, 0, 100000000, 2000000000}, {0, 0, 2560, 1224}},
      {{0, 0, 0, -5}, {0, 0, 280, 240}},
      {{INT_MIN, INT_MIN, INT_MIN, INT_MIN}, {-1280 + 48 - 280, -200, 280, 240}},
      {{INT_MAX, INT_MAX, INT_MAX, INT_MAX}, {1280 - 48, 1024 - 48, 2560, 1224}},
      {{-32000, -32000, 160, 28}, {-1280 + 48 - 280, -200, 280, 240}},  // stored while minimized
  };
  for (const Case& c : cases) {
    const WindowRect r = ClampWindowToScreen(c.window, screen);
    EXPECT_EQ(c.expected.left, r.left) << c.window.left;
    EXPECT_EQ(c.expected.top, r.top) << c.window.top;
    EXPECT_EQ(c.expected.width, r.width) << c.window.width;
    EXPECT_EQ(c.expected.height, r.height) << c.window.height;
  }
}

TEST(ClampWindowToScreen, ScreenSmallerThanTheMinimumGivesTheMinimum) {
  const WindowRect r = ClampWindowToScreen({0, 0, 640, 480}, {0, 0, 200, 100});
  EXPECT_EQ(280, r.width);
  EXPECT_EQ(240, r.height);
  EXPECT_EQ(0, r.top);
}

TEST(ClampColumnWidth, HoldsWidthsToASaneRange) {
  struct Case {
    int width, expected;
  } const cases[] = {
      {100, 100}, {0, 0}, {10000, 10000}, {-5, 0}, {10001, 10000}, {2000000000, 10000}, {INT_MIN, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, ClampColumnWidth(c.width)) << c.width;
}

}  // namespace
