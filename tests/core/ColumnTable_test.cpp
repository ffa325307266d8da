#include "common/ColumnTable.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ColumnTable, HeadersInDisplayOrder) {
  const char* const expected[kColumnCount] = {
      "名前",   "種類",   "サイズ", "作成日時",   "更新日時", "最終ｱｸｾｽ日",
      "属性",   "DOS名",  "会社名", "説明",       "ﾊﾞｰｼﾞｮﾝ",  "内部名",
      "著作権", "正式ﾌｧｲﾙ名", "製品名", "製品ﾊﾞｰｼﾞｮﾝ", "パス",
  };
  for (int c = 0; c < kColumnCount; ++c) EXPECT_STREQ(expected[c], kColumns[c].header) << c;
}

TEST(ColumnTable, NarrowHeadersUseHalfWidthKatakana) {
  struct Case {
    int column;
    std::string bytes;
  } const cases[] = {
      {0, "\x96\xBC\x91\x4F"},
      {kSizeColumn, "\x83\x54\x83\x43\x83\x59"},
      {5, "\x8D\xC5\x8F\x49\xB1\xB8\xBE\xBD\x93\xFA"},
      {10, "\xCA\xDE\xB0\xBC\xDE\xAE\xDD"},
      {13, "\x90\xB3\x8E\xAE\xCC\xA7\xB2\xD9\x96\xBC"},
      {15, "\x90\xBB\x95\x69\xCA\xDE\xB0\xBC\xDE\xAE\xDD"},
      {kPathColumn, "\x83\x70\x83\x58"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.bytes, kColumns[c.column].header) << c.column;
}

TEST(ColumnTable, OnlySizeAndAttributesAreRightAligned) {
  for (int c = 0; c < kColumnCount; ++c) {
    EXPECT_EQ(c == kSizeColumn || c == 6, kColumns[c].rightAligned) << c;
  }
}

TEST(ColumnTable, VersionColumnsSitBetweenShortNameAndPath) {
  EXPECT_STREQ("会社名", kColumns[kFirstVersionColumn].header);
  EXPECT_STREQ("製品ﾊﾞｰｼﾞｮﾝ", kColumns[kFirstVersionColumn + kVersionColumnCount - 1].header);
  EXPECT_EQ(kPathColumn, kFirstVersionColumn + kVersionColumnCount);
}

}  // namespace
