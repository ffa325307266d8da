#include "scan/PathJoin.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/CodePage932.h"

namespace {

TEST(EndsWithBackslash932, LooksAtTheLastWholeCharacter) {
  struct Case {
    const char* text;
    bool expected;
  } const cases[] = {
      {"C:\\data\\", true},
      {"C:\\data", false},
      {"C:\\", true},
      {"\\", true},
      {"", false},
      {"C:\\図表", false},          // 表 = 0x95 0x5C
      {"C:\\ソ", false},            // ソ = 0x83 0x5C
      {"C:\\図表\\", true},
      {"C:\\\x95\x5C\x5C", true},   // 表 then a real backslash
      {"ｱ\\", true},                // half-width katakana is one byte
      {"C:\\\x95", false},          // a lone lead byte at the end is not a backslash
      {"C:\\dir\\\x95", false},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, EndsWithBackslash932(c.text)) << c.text;
}

TEST(EndsWithBackslash932, NullIsNotABackslash) { EXPECT_FALSE(EndsWithBackslash932(nullptr)); }

TEST(EndsWithBackslash932, TrailBytesOfTheKeyCharactersAre5C) {
  EXPECT_STREQ("\x95\x5C", "表");
  EXPECT_STREQ("\x83\x5C", "ソ");
}

TEST(MakeDirWithBackslash, AddsABackslashOnlyWhenMissing) {
  struct Case {
    const char* folder;
    const char* expected;
  } const cases[] = {
      {"C:\\data", "C:\\data\\"},
      {"C:\\data\\", "C:\\data\\"},
      {"C:\\", "C:\\"},
      {"C:\\図表", "C:\\図表\\"},
      {"C:\\ソ", "C:\\ソ\\"},
      {"\\\\server\\share", "\\\\server\\share\\"},
      {"", "\\"},
  };
  for (const Case& c : cases) {
    char dir[kPathSize] = {};
    ASSERT_TRUE(MakeDirWithBackslash(dir, c.folder)) << c.folder;
    EXPECT_STREQ(c.expected, dir) << c.folder;
  }
}

TEST(MakeDirWithBackslash, AddsSeparatorAfterTrailByte5C) {
  char dir[kPathSize] = {};
  ASSERT_TRUE(MakeDirWithBackslash(dir, "C:\\図表"));
  EXPECT_EQ(std::string("C:\\\x90\x7D\x95\x5C\x5C"), dir);
  EXPECT_TRUE(EndsWithBackslash932(dir));
}

TEST(MakeDirWithBackslash, SameDirWithOrWithoutTrailingBackslash) {
  char a[kPathSize] = {};
  char b[kPathSize] = {};
  ASSERT_TRUE(MakeDirWithBackslash(a, "C:\\data"));
  ASSERT_TRUE(MakeDirWithBackslash(b, "C:\\data\\"));
  EXPECT_STREQ(a, b);
}

TEST(MakeDirWithBackslash, AcceptsUpTo259BytesAndLeavesDirAloneBeyond) {
  struct Case {
    std::string folder;
    bool fits;
  } const cases[] = {
      {std::string(258, 'a'), true},           // 259 with the backslash
      {std::string(259, 'a'), false},          // 260 with the backslash
      {std::string(258, 'a') + "\\", true},    // already 259, nothing added
      {std::string(259, 'a') + "\\", false},
      {std::string(255, 'a') + "\x95\x5C", true},   // ends in 表: 257 + backslash
      {std::string(257, 'a') + "\x95\x5C", false},  // 259 + backslash
  };
  for (const Case& c : cases) {
    char dir[kPathSize];
    std::memset(dir, 'z', sizeof dir);
    dir[kPathSize - 1] = '\0';
    const std::string before(dir);
    EXPECT_EQ(c.fits, MakeDirWithBackslash(dir, c.folder.c_str())) << c.folder.size();
    if (c.fits) {
      EXPECT_LE(std::strlen(dir), kPathSize - 1);
      EXPECT_TRUE(EndsWithBackslash932(dir));
    } else {
      EXPECT_EQ(before, dir);
    }
  }
}

TEST(JoinPath, ConcatenatesBytesUnchanged) {
  struct Case {
    const char* dir;
    const char* name;
    const char* expected;
  } const cases[] = {
      {"C:\\data\\", "a.txt", "C:\\data\\a.txt"},
      {"C:\\図表\\", "ソフト.doc", "C:\\図表\\ソフト.doc"},
      {"C:\\", "", "C:\\"},
      {"", "x", "x"},
  };
  for (const Case& c : cases) {
    char out[kPathSize] = {};
    ASSERT_TRUE(JoinPath(out, c.dir, c.name));
    EXPECT_STREQ(c.expected, out);
  }
}

TEST(JoinPath, Accepts259BytesAndRefuses260) {
  struct Case {
    std::size_t dirLen, nameLen;
    bool fits;
  } const cases[] = {
      {200, 59, true}, {200, 60, false}, {259, 0, true},
      {0, 259, true},  {0, 260, false},  {260, 0, false}, {300, 300, false},
  };
  for (const Case& c : cases) {
    const std::string dir(c.dirLen, 'd');
    const std::string name(c.nameLen, 'n');
    char out[kPathSize] = "untouched";
    EXPECT_EQ(c.fits, JoinPath(out, dir.c_str(), name.c_str())) << c.dirLen << "+" << c.nameLen;
    if (c.fits) {
      EXPECT_EQ(dir + name, out);
    } else {
      EXPECT_STREQ("untouched", out);
    }
  }
}

TEST(JoinPath, AppendsInPlaceWhenOutIsDir) {
  char buf[kPathSize] = "C:\\data\\";
  ASSERT_TRUE(JoinPath(buf, buf, "a.txt"));
  EXPECT_STREQ("C:\\data\\a.txt", buf);
}

}  // namespace
