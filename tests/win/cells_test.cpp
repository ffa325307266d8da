// What only the platform can tell of a file's cells: local times and version resources.
#include "support/Support.h"

#include "scan/FileCells_win.h"
#include "scan/VersionColumns_win.h"

using Cells = std::vector<std::string>;

static FILETIME Utc(WORD year, WORD month, WORD day, WORD hour, WORD minute) {
  const SYSTEMTIME time = {year, month, 0, day, hour, minute, 0, 0};
  FILETIME result = {};
  return SystemTimeToFileTime(&time, &result), result;
}

TEST(Cells, TimesTakeTheOffsetOfTheirOwnDate) {
  // UTC+9:30, and +10:30 from the first Sunday of October to the first Sunday of April.
  const TIME_ZONE_INFORMATION zone = {-570, L"", {0, 4, 0, 1, 3, 0, 0, 0}, 0, L"", {0, 10, 0, 1, 2, 0, 0, 0}, -60};
  EXPECT_EQ(FormatLocalFileTime(Utc(2021, 1, 15, 12, 5), true, &zone), "2021-01-15 22:35:00");
  EXPECT_EQ(FormatLocalFileTime(Utc(2021, 7, 15, 12, 5), true, &zone), "2021-07-15 21:35:00");
  EXPECT_EQ(FormatLocalFileTime(Utc(2021, 1, 15, 14, 0), false, &zone), "2021-01-16");
  EXPECT_EQ(FormatLocalFileTime(FILETIME{0, 0}, true, &zone), "(不明)");
  EXPECT_EQ(FormatLocalFileTime(FILETIME{0, 0x80000000}, true, &zone), "(不明)");  // beyond the platform's range
}

TEST(Cells, VersionStringsOfTheDeclaredTableOrAFallbackWhateverTheExtension) {
  TempTree t;
  const std::string sjis = t.Root() + "\\sjis.dat";
  ASSERT_TRUE(CopyFileA((ExeFolder() + "\\fixtures\\sjis.exe").c_str(), sjis.c_str(), FALSE));
  EXPECT_EQ(ReadVersionStrings(Wide(sjis).c_str()), Cells({"表ソフト株式会社", " ", "3.1", " ", " ", " ", "表計算", " "}));
  EXPECT_EQ(ReadVersionStrings(Wide(ExeFolder() + "\\fixtures\\fallback.exe").c_str()),
            Cells({" ", "Fallback table", " ", "FB", "(C) FB", "fb.exe", " ", "2.0"}));
}
