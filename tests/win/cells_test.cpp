#include "support/WinTestSupport.h"

#include <winioctl.h>

#include <cstdint>
#include <cstdio>

#include "scan/FileCells_win.h"
#include "settings/SettingsFile_win.h"

using Cells = std::vector<std::string>;

namespace {

const Cells kNoVersionStrings(8, " ");

FILETIME UtcTime(int year, int month, int day, int hour, int minute, int second) {
  SYSTEMTIME st = {};
  st.wYear = static_cast<WORD>(year);
  st.wMonth = static_cast<WORD>(month);
  st.wDay = static_cast<WORD>(day);
  st.wHour = static_cast<WORD>(hour);
  st.wMinute = static_cast<WORD>(minute);
  st.wSecond = static_cast<WORD>(second);
  FILETIME ft = {};
  SystemTimeToFileTime(&st, &ft);
  return ft;
}

// Wall-clock text of a time in the zone the platform reports for this machine, worked out with
// that zone's rules passed explicitly.
std::string MachineWallClock(const FILETIME& time, bool withTimeOfDay) {
  TIME_ZONE_INFORMATION zone;
  GetTimeZoneInformation(&zone);
  SYSTEMTIME utc, local;
  FileTimeToSystemTime(&time, &utc);
  SystemTimeToTzSpecificLocalTime(&zone, &utc, &local);
  char text[64];
  if (withTimeOfDay)
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", local.wYear, local.wMonth, local.wDay,
                  local.wHour, local.wMinute, local.wSecond);
  else
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", local.wYear, local.wMonth, local.wDay);
  return text;
}

// Central European time: UTC+1, summer time UTC+2 from 02:00 on the last Sunday of March to
// 03:00 on the last Sunday of October.
TIME_ZONE_INFORMATION Berlin() {
  TIME_ZONE_INFORMATION zone = {};
  zone.Bias = -60;
  zone.StandardDate.wMonth = 10;
  zone.StandardDate.wDay = 5;
  zone.StandardDate.wHour = 3;
  zone.DaylightDate.wMonth = 3;
  zone.DaylightDate.wDay = 5;
  zone.DaylightDate.wHour = 2;
  zone.DaylightBias = -60;
  return zone;
}

// A file of the given length that takes (almost) no disk space.
void MakeSparseFile(const std::string& path, std::uint64_t size) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
  DWORD returned = 0;
  DeviceIoControl(h, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
  LARGE_INTEGER end;
  end.QuadPart = static_cast<LONGLONG>(size);
  EXPECT_TRUE(SetFilePointerEx(h, end, nullptr, FILE_BEGIN));
  EXPECT_TRUE(SetEndOfFile(h));
  CloseHandle(h);
}

void SetTimes(const std::string& path, const FILETIME& created, const FILETIME& accessed, const FILETIME& written) {
  HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
  EXPECT_TRUE(SetFileTime(h, &created, &accessed, &written));
  CloseHandle(h);
}

WIN32_FIND_DATAA FindData(const std::string& path) {
  WIN32_FIND_DATAA data = {};
  HANDLE h = FindFirstFileA(path.c_str(), &data);
  EXPECT_NE(h, INVALID_HANDLE_VALUE) << path;
  if (h != INVALID_HANDLE_VALUE) FindClose(h);
  return data;
}

std::string FixturePath(const std::string& name) { return ExeFolder() + "\\fixtures\\" + name + ".exe"; }

class CellsTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    CreateApp();
    lstrcpyA(settings.filter, "*.*");
    settings.includeSubfolders = 0;
  }

  int RowOf(const std::string& name) const {
    for (int r = 0; r < RowCount(); ++r) {
      if (Cell(r, 0) == name) return r;
    }
    ADD_FAILURE() << name << " is not listed";
    return -1;
  }
  std::string CellOf(const std::string& name, int column) const { return Cell(RowOf(name), column); }
  Cells VersionCells(const std::string& name) const {
    Cells cells;
    const int row = RowOf(name);
    for (int c = 8; c <= 15; ++c) cells.push_back(Cell(row, c));
    return cells;
  }

  // Copies a fixture program into the tree and lists the tree.
  void ScanFixture(TempTree& tree, const std::string& name) {
    ASSERT_TRUE(CopyFileA(FixturePath(name).c_str(), (tree.Root() + "\\" + name + ".exe").c_str(), FALSE))
        << FixturePath(name);
    Scan(tree.Root());
  }
};

TEST_F(CellsTest, ReadOnlyHiddenFileShowsHR) {
  TempTree t;
  std::string path = t.File("secret.txt", "x");
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  // Wine reports the archive bit on every file whatever is set; Windows clears it here.
  const bool archive = (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_ARCHIVE) != 0;
  Scan(t.Root());
  EXPECT_EQ(CellOf("secret.txt", 6), archive ? "HRA" : "HR");
}

TEST_F(CellsTest, ArchiveOnlyFileShowsA) {
  TempTree t;
  std::string path = t.File("plain.txt", "x");
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_ARCHIVE));
  Scan(t.Root());
  EXPECT_EQ(CellOf("plain.txt", 6), "A");
}

TEST_F(CellsTest, AllFourAttributesShowInOrderSHRA) {
  TempTree t;
  std::string path = t.File("all.sys", "x");
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN |
                                                   FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
  Scan(t.Root());
  EXPECT_EQ(CellOf("all.sys", 6), "SHRA");
}

TEST_F(CellsTest, LongNameShowsTheShortNameThePlatformGivesIt) {
  TempTree t;
  std::string path = t.File("A rather long file name.text");
  char shortPath[MAX_PATH] = "";
  ASSERT_GT(GetShortPathNameA(path.c_str(), shortPath, sizeof shortPath), 0u);
  std::string shortName = shortPath;
  shortName = shortName.substr(shortName.rfind('\\') + 1);
  Scan(t.Root());
  const std::string cell = CellOf("A rather long file name.text", 7);
  EXPECT_EQ(cell, shortName);
  EXPECT_LE(cell.size(), 12u);
  EXPECT_NE(cell.find('~'), std::string::npos);
}

TEST_F(CellsTest, NameThatIsAlreadyShortShowsBlank) {
  TempTree t;
  t.File("UPPER.TXT");
  t.File("lower.txt");
  Scan(t.Root());
  EXPECT_EQ(CellOf("UPPER.TXT", 7), " ");
  EXPECT_EQ(CellOf("lower.txt", 7), " ");
}

TEST_F(CellsTest, SizesShowTheExactByteCountRightAlignedInTen) {
  TempTree t;
  t.File("zero.bin");
  t.File("nine.bin", "123456789");
  MakeSparseFile(t.Root() + "\\max31.bin", 2147483647ull);
  MakeSparseFile(t.Root() + "\\three.bin", 3000000000ull);
  MakeSparseFile(t.Root() + "\\four.bin", 4294967296ull);
  MakeSparseFile(t.Root() + "\\five.bin", 5ull << 30);
  Scan(t.Root());
  EXPECT_EQ(CellOf("zero.bin", 2), "         0");
  EXPECT_EQ(CellOf("nine.bin", 2), "         9");
  EXPECT_EQ(CellOf("max31.bin", 2), "2147483647");
  EXPECT_EQ(CellOf("three.bin", 2), "3000000000");
  EXPECT_EQ(CellOf("four.bin", 2), "4294967296");
  EXPECT_EQ(CellOf("five.bin", 2), "5368709120");
}

TEST_F(CellsTest, TimesShowTheirOwnDatesInThisMachinesZone) {
  TempTree t;
  std::string path = t.File("dated.txt", "x");
  const FILETIME winter = UtcTime(2005, 1, 10, 23, 30, 0);
  const FILETIME summer = UtcTime(2021, 7, 15, 12, 34, 56);
  SetTimes(path, winter, winter, summer);
  // Wine reports the last-write time as the creation time; Windows keeps the one set.
  const WIN32_FIND_DATAA found = FindData(path);
  Scan(t.Root());
  EXPECT_EQ(CellOf("dated.txt", 3), MachineWallClock(found.ftCreationTime, true));
  EXPECT_EQ(CellOf("dated.txt", 4), MachineWallClock(summer, true));
  EXPECT_EQ(CellOf("dated.txt", 5), MachineWallClock(winter, false));
}

TEST_F(CellsTest, TypeColumnNamesTheExtensionsType) {
  TempTree t;
  t.File("sample.qqz");
  Scan(t.Root());
  std::string type = CellOf("sample.qqz", 1);
  CharLowerA(&type[0]);
  EXPECT_NE(type.find("qqz"), std::string::npos) << type;
  EXPECT_NE(type, "sample.qqz");
}

TEST(FileTimeText, TimeWithBothHalvesZeroIsUnknown) {
  const FILETIME zero = {0, 0};
  EXPECT_EQ(FormatLocalFileTime(zero, true, nullptr), "(不明)");
  EXPECT_EQ(FormatLocalFileTime(zero, false, nullptr), "(不明)");
}

TEST(FileTimeText, TimeWithOneHalfZeroIsFormatted) {
  TIME_ZONE_INFORMATION utc = {};
  EXPECT_EQ(FormatLocalFileTime(FILETIME{1, 0}, true, &utc), "1601-01-01 00:00:00");
  EXPECT_EQ(FormatLocalFileTime(FILETIME{0, 0x01D77970}, false, &utc), "2021-07-15");
}

TEST(FileTimeText, TimeThePlatformCannotConvertIsUnknown) {
  EXPECT_EQ(FormatLocalFileTime(FILETIME{0, 0x80000000}, true, nullptr), "(不明)");
}

TEST(FileTimeText, SummerAndWinterTimesEachUseTheirOwnOffset) {
  const TIME_ZONE_INFORMATION berlin = Berlin();
  EXPECT_EQ(FormatLocalFileTime(UtcTime(2021, 7, 15, 12, 0, 0), true, &berlin), "2021-07-15 14:00:00");
  EXPECT_EQ(FormatLocalFileTime(UtcTime(2005, 1, 10, 12, 0, 0), true, &berlin), "2005-01-10 13:00:00");
}

TEST(FileTimeText, OffsetChangesAtTheMomentSummerTimeBegins) {
  const TIME_ZONE_INFORMATION berlin = Berlin();
  EXPECT_EQ(FormatLocalFileTime(UtcTime(2021, 3, 28, 0, 59, 59), true, &berlin), "2021-03-28 01:59:59");
  EXPECT_EQ(FormatLocalFileTime(UtcTime(2021, 3, 28, 1, 0, 0), true, &berlin), "2021-03-28 03:00:00");
}

TEST(FileTimeText, DateOnlyFollowsTheLocalDate) {
  const TIME_ZONE_INFORMATION berlin = Berlin();
  EXPECT_EQ(FormatLocalFileTime(UtcTime(2021, 7, 15, 22, 30, 0), false, &berlin), "2021-07-16");
  EXPECT_EQ(FormatLocalFileTime(UtcTime(2021, 1, 15, 22, 30, 0), false, &berlin), "2021-01-15");
}

TEST_F(CellsTest, TextFileHasBlankVersionCells) {
  TempTree t;
  t.File("notes.txt", "no resources here");
  Scan(t.Root());
  EXPECT_EQ(VersionCells("notes.txt"), kNoVersionStrings);
}

TEST_F(CellsTest, VersionStringsFillTheirColumnsWithLineBreaksAsBlanks) {
  TempTree t;
  ScanFixture(t, "crlf");
  EXPECT_EQ(VersionCells("crlf.exe"), (Cells{"Fixture Works", "First line  Second line Third", "2.5.0.1", "crlf",
                                             "(C) Fixture Works", "crlf.exe", "Fixture Kit", "2.5"}));
}

TEST_F(CellsTest, OwnProgramShowsItsJapaneseDescription) {
  TempTree t;
  ASSERT_TRUE(CopyFileA((ExeFolder() + "\\FILORA.EXE").c_str(), (t.Root() + "\\FILORA.EXE").c_str(), FALSE));
  Scan(t.Root());
  const Cells cells = VersionCells("FILORA.EXE");
  EXPECT_EQ(cells[1], "拡張ディレクトリ情報");
  EXPECT_EQ(cells[2], "1.22.00");
  EXPECT_EQ(cells[3], "FILORA");
  EXPECT_EQ(cells[5], "FILORA.EXE");
  EXPECT_EQ(cells[6], "FILORA");
  EXPECT_EQ(cells[7], "1.22.00");
}

TEST_F(CellsTest, ResourceWithoutTranslationTableFallsBackToUsualTables) {
  TempTree t;
  ScanFixture(t, "notrans");
  EXPECT_EQ(VersionCells("notrans.exe"), (Cells{"No Table Co", "Strings without a translation table", "1.0", " ", " ",
                                                " ", " ", " "}));
}

TEST_F(CellsTest, TranslationNamingAMissingTableFallsBackInOrder) {
  TempTree t;
  ScanFixture(t, "wrongtrans");
  EXPECT_EQ(VersionCells("wrongtrans.exe"),
            (Cells{"Wrong Table Co", "Stored under Unicode", " ", " ", " ", " ", "Wrong Table", " "}));
}

TEST_F(CellsTest, DeclaredLanguageWithUnicodeComesBeforeEnglish) {
  TempTree t;
  ScanFixture(t, "langcp");
  EXPECT_EQ(VersionCells("langcp.exe"),
            (Cells{"Language Co", "Declared 932, stored as Unicode", " ", " ", " ", " ", " ", " "}));
}

TEST_F(CellsTest, TablesWithoutAnyListedKeyGiveBlanks) {
  TempTree t;
  ScanFixture(t, "nokeys");
  ASSERT_GT(GetFileVersionInfoSizeA((t.Root() + "\\nokeys.exe").c_str(), nullptr), 0u);
  EXPECT_EQ(VersionCells("nokeys.exe"), kNoVersionStrings);
}

TEST_F(CellsTest, LargeVersionResourceIsReadWhole) {
  TempTree t;
  ScanFixture(t, "large");
  ASSERT_GT(GetFileVersionInfoSizeA((t.Root() + "\\large.exe").c_str(), nullptr), 4096u);
  std::string longValue;
  for (int i = 0; i < 300; ++i) longValue += "0123456789";
  EXPECT_EQ(VersionCells("large.exe"), (Cells{"Large Resource Co", longValue, " ", " ", " ", " ", " ", "6.0"}));
}

TEST_F(CellsTest, PathLandsInLastColumnWhateverTheVersionData) {
  TempTree t;
  t.File("notes.txt", "x");
  for (const char* name : {"crlf", "notrans", "nokeys", "large"}) {
    ASSERT_TRUE(CopyFileA(FixturePath(name).c_str(), (t.Root() + "\\" + name + ".exe").c_str(), FALSE));
  }
  Scan(t.Root());
  ASSERT_EQ(RowCount(), 5);
  for (int r = 0; r < RowCount(); ++r) {
    EXPECT_EQ(Cell(r, 16), t.Root() + "\\" + Cell(r, 0));
  }
}

}  // namespace
