#include "settings/SettingsKeys.h"

#include <gtest/gtest.h>

#include <climits>
#include <tuple>

TEST(SettingsNames, KeyNumbersAtTheirEdgesAndIniBesideTheExe) {
  EXPECT_EQ("COLMN01", ColumnWidthKey(0));
  EXPECT_EQ("COLMN17", ColumnWidthKey(16));
  EXPECT_EQ("FILTER001", FilterHistoryKey(1));
  EXPECT_EQ("FILTER999", FilterHistoryKey(999));
  EXPECT_EQ("C:\\\x95\x5C\\filora.INI", SettingsPathFromExePath("C:\\\x95\x5C\\filora.exe"));
}

TEST(ParseIniInt, SignHexBlanksGarbageAndClampingToInt) {
  const struct { const char* text; int expected; } cases[] = {
      {nullptr, 99}, {"", 0}, {"12", 12}, {" \t-34", -34}, {"+5", 5}, {"12abc", 12}, {"abc", 0}, {"- 5", 0},
      {"--5", 0}, {"0x1F", 31}, {"0XE6ffff", 0xE6FFFF}, {"-0x10", -16}, {"0x", 0}, {"0x1G", 1}, {"1e3", 1},
      {"2147483647", INT_MAX}, {"2147483648", INT_MAX}, {"-2147483648", INT_MIN}, {"-2147483649", INT_MIN},
      {"4294967297", INT_MAX}, {"18446744073709551617", INT_MAX}, {"-18446744073709551617", INT_MIN},
      {"0x7FFFFFFF", INT_MAX}, {"0x80000000", INT_MAX}, {"-0x80000000", INT_MIN}, {"0x100000001", INT_MAX}};
  for (const auto& c : cases) EXPECT_EQ(c.expected, ParseIniInt(c.text, 99)) << (c.text ? c.text : "null");
}

TEST(ClampWindowToScreen, KeepsReachableWindowsExactlyAndBringsOthersBack) {
  const WindowRect s = {0, 0, 1280, 1024}, wide = {-100, -50, 1000, 800}, tiny = {0, 0, 200, 100};
  const struct { WindowRect window, screen, expected; } cases[] = {
      {{-200, 10, 640, 480}, s, {-200, 10, 640, 480}},   {{0, 0, 100000, 2000000000}, s, {0, 0, 1280, 1024}},
      {{1232, 976, 280, 240}, s, {1232, 976, 280, 240}}, {{-592, 0, 640, 480}, s, {-592, 0, 640, 480}},
      {{-593, 0, 640, 480}, s, {-592, 0, 640, 480}},     {{1233, 0, 640, 480}, s, {1232, 0, 640, 480}},
      {{0, -1, 640, 480}, s, {0, 0, 640, 480}},          {{0, 977, 640, 480}, s, {0, 976, 640, 480}},
      {{0, 0, 100, 50}, s, {0, 0, 280, 240}},            {{0, 0, 640, 480}, tiny, {0, 0, 280, 240}},
      {{INT_MIN, INT_MIN, INT_MIN, INT_MIN}, s, {-232, 0, 280, 240}},
      {{INT_MAX, INT_MAX, INT_MAX, INT_MAX}, s, {1232, 976, 1280, 1024}},
      {{-9999, -9999, 640, 480}, wide, {-692, -50, 640, 480}}, {{9999, 9999, 640, 480}, wide, {852, 702, 640, 480}}};
  const auto tie = [](const WindowRect& r) { return std::make_tuple(r.left, r.top, r.width, r.height); };
  for (const auto& c : cases)
    EXPECT_EQ(tie(c.expected), tie(ClampWindowToScreen(c.window, c.screen))) << testing::PrintToString(tie(c.window));
}

TEST(ClampColumnWidth, ZeroTo10000) {
  const struct { int width, expected; } cases[] = {
      {INT_MIN, 0}, {-1, 0}, {0, 0}, {100, 100}, {10000, 10000}, {10001, 10000}, {INT_MAX, 10000}};
  for (const auto& c : cases) EXPECT_EQ(c.expected, ClampColumnWidth(c.width)) << c.width;
}
