// The cells a scan fills for real files, as the file system, the shell and version resources report them.
#include "support/Support.h"

#include <algorithm>

#include "scan/FileCells_win.h"
#include "scan/FileList_win.h"

using Cells = std::vector<std::string>;

static FILETIME Utc(WORD year, WORD month, WORD day, WORD hour, WORD minute) {
  const SYSTEMTIME time = {year, month, 0, day, hour, minute, 0, 0};
  FILETIME result = {};
  SystemTimeToFileTime(&time, &result);
  return result;
}

// Cells first to last of the row that lists name.
static Cells RowCells(HWND list, const std::string& name, int first, int last) {
  const Cells names = ColumnTexts(list, kNameColumn);
  const size_t row = std::find(names.begin(), names.end(), name) - names.begin();
  Cells cells;
  for (int c = first; c <= last; ++c) cells.push_back(row < names.size() ? ColumnTexts(list, c)[row] : "<unlisted>");
  return cells;
}

TEST(Cells, TypeSizeTimesAttributesAndShortNameOfRealFiles) {
  TempTree t;
  const std::string path = t.File("A long name.txt");
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  LARGE_INTEGER end;
  end.QuadPart = 5368709121LL;  // beyond 4 GiB: the high half of the size counts
  const FILETIME accessed = Utc(2021, 6, 15, 12, 0), written = Utc(2011, 6, 15, 12, 0);
  ASSERT_TRUE(SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file));
  ASSERT_TRUE(SetFileTime(file, nullptr, &accessed, &written));
  CloseHandle(file);
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
  t.File("SHORT.QQZ");
  Host host;
  host.Scan(t.Root());
  Cells cells = RowCells(host.list, "A long name.txt", kTypeColumn, kShortNameColumn);
  // The times are in this machine's zone, whichever it is: a time of day, or the date alone.
  // Wine keeps no creation time of its own: it reports the last write's.
  for (int c : {2, 3, 4}) cells[c] = cells[c].substr(0, 7) + (cells[c].size() == 19 ? " hh:mm:ss" : "");
  EXPECT_EQ(cells, Cells({".txt file", "5368709121", "2011-06 hh:mm:ss", "2011-06 hh:mm:ss", "2021-06", "HRA",
                          "A_LO~MCC.TXT"}));
  cells = RowCells(host.list, "SHORT.QQZ", kTypeColumn, kShortNameColumn);
  EXPECT_EQ(cells[0] + "|" + cells[6], ".QQZ file| ");
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
  for (const char* name : {"sjis.exe", "fallback.exe", "plain.exe"})
    ASSERT_TRUE(CopyFileA((ExeFolder() + "\\fixtures\\" + name).c_str(), (t.Root() + "\\" + name).c_str(), FALSE));
  ASSERT_TRUE(CopyFileA((ExeFolder() + "\\FILORA.EXE").c_str(), (t.Root() + "\\prog.bin").c_str(), FALSE));
  t.File("notes.exe", "plain text");
  Host host;
  host.Scan(t.Root());
  auto version = [&](const char* name) { return RowCells(host.list, name, kFirstVersionColumn, kPathColumn - 1); };
  EXPECT_EQ(version("sjis.exe"), Cells({"表ソフト株式会社", " ", "3.1", " ", " ", " ", "表計算", " "}));
  EXPECT_EQ(version("fallback.exe"), Cells({" ", "Fallback table", " ", " ", " ", " ", " ", "2.0"}));
  EXPECT_EQ(version("prog.bin"), Cells({"FILORA Project", "拡張ディレクトリ情報", "1.22.00", "FILORA",
                                        "Copyright (C) 2026 FILORA Project", "FILORA.EXE", "FILORA", "1.22.00"}));
  EXPECT_EQ(version("plain.exe"), Cells(8, " "));
  EXPECT_EQ(version("notes.exe"), Cells(8, " "));
}
