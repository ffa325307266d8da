// The walk and the scan's lifecycle on real trees, with the children of a plain host window.
#include "support/Support.h"

#include <commctrl.h>

#include <algorithm>
#include <map>

#include "listops/ColumnSort_win.h"
#include "listops/RowActions_win.h"
#include "scan/FileList_win.h"
#include "settings/SettingsFile_win.h"

using Names = std::vector<std::string>;
static Names Sorted(Names names) { return std::sort(names.begin(), names.end()), names; }

// Every row's cells belong to one file: the path ends in the name and the size is filled in.
static void ExpectRowsWhole(HWND list) {
  const Names names = ColumnTexts(list, kNameColumn), paths = ColumnTexts(list, kPathColumn),
              sizes = ColumnTexts(list, kSizeColumn);
  for (size_t r = 0; r < names.size(); ++r)
    EXPECT_TRUE(paths[r].substr(paths[r].rfind('\\') + 1) == names[r] && sizes[r].size() == 10) << "row " << r;
}

class Scan : public ::testing::Test {
 protected:
  TempTree t;
  Host host;
};

TEST_F(Scan, ListsEachPatternInTurnAndSubfoldersOnlyWhenAsked) {
  t.Files({"a.txt", "b.log", "s\\c.txt", "s\\t\\d.log"});
  host.Scan(t.Root(), "*.txt;*.log");
  EXPECT_EQ(ColumnTexts(host.list, kNameColumn), Names({"a.txt", "c.txt", "b.log", "d.log"}));
  EXPECT_EQ(Host::busyCalls, std::vector<bool>({true, false}));
  Host::listPaints = 0;  // the list paints again once the scan is over
  InvalidateRect(host.list, nullptr, TRUE);
  UpdateWindow(host.list);
  EXPECT_GT(Host::listPaints, 0);
  settings.includeSubfolders = 0;
  host.Scan(t.Root(), "*.txt;*.log");
  EXPECT_EQ(ColumnTexts(host.list, kNameColumn), Names({"a.txt", "b.log"}));
  host.Scan(t.Root(), "*.none");  // no row left behind by the clear
  EXPECT_EQ(ColumnTexts(host.list, kNameColumn), Names());
}

TEST_F(Scan, AnEmptyFolderBoxIsRefusedWithAMessage) {
  DialogDriver boxes([](HWND box) { return PressButton(box, IDOK), true; });
  host.Scan("");
  EXPECT_EQ(boxes.Text(), "検索するフォルダを選択して下さい。");
  EXPECT_TRUE(Host::busyCalls.empty());
}

// What the walk leaves out: folder links leading back up (a link elsewhere is followed), paths over
// 259 bytes and what lies deeper than a path reaches; and a device (a Wine prefix links serial
// ports, which no one may ever write to) listed without waiting to read it.
TEST_F(Scan, TheWalkLeavesOutLinksBackUpAndPathsTooLongAndListsADeviceUnread) {
  t.Files({"s\\b.txt", "o\\"});
  const std::string root = HostPath(t.Root()), fits(258 - t.Root().size(), 'f'), tooLong(259 - t.Root().size(), 'g');
  std::string deep = root;
  for (int level = 0; level < 150; ++level) deep += "/d";
  ASSERT_TRUE(HostShell("cd '" + root + "' && ln -s \"$PWD/s\" s/self && ln -s .. s/up && ln -s \"$PWD/s\" o/other && " +
                        "ln -s /dev/ptmx com1 && touch " + fits + " " + tooLong + " && mkdir -p '" + deep + "' && touch '" +
                        deep + "/x' d/d/d/y"));
  host.Scan(t.Root());
  EXPECT_EQ(Sorted(ColumnTexts(host.list, kNameColumn)), Names({"b.txt", "b.txt", "com1", fits, "y"}));
  EXPECT_EQ(ColumnTexts(host.list, kFirstVersionColumn), Names(5, " "));
  EXPECT_EQ(host.Status(), "5/5件");
}

// Names code page 932 lacks characters of, where best fit would give a look-alike: another file
// (café as cafe, x¥y as the folder x), a folder that does not exist, or a path that leads out.
TEST_F(Scan, EveryFileOfAnyNameIsListedOnceWithItsOwnCellsAndAPathThatReachesIt) {
  const std::wstring top = Wide(t.Root()) + L"\\R\xE9sum\xE9\\", sjis = Wide(ExeFolder() + "\\fixtures\\sjis.exe");
  std::map<std::wstring, std::size_t> sizes;  // by real path, each file a size of its own
  for (const wchar_t* name : {L"caf\xE9.txt", L"cafe.txt", L"x\xA5y.txt", L"x\\y.txt", L"\xD55C\xAD6D\\inside.txt",
                              L"R\xE9sum\xE9\\cv.doc", L"emoji\xD83D\xDE00.txt", L"..\xA5..\xA5secret.txt"})
    sizes.emplace(t.File(L"R\xE9sum\xE9\\" + std::wstring(name), std::string(sizes.size() + 1, 'x')), sizes.size() + 1);
  ASSERT_TRUE(CopyFileW(sjis.c_str(), (top + L"bigver\xFC.exe").c_str(), FALSE));
  sizes[top + L"bigver\xFC.exe"] = ReadBytes(sjis).size();
  host.Scan(top);  // the folder scanned has such a name too
  Names ansi;      // '?' in the 932 cells for each character that code page lacks
  for (int r = 0; r < RowCount(host.list); ++r) {
    std::wstring path, name;
    std::string size, company;
    ReadCellText(host.list, r, kPathColumn, path), ReadCellText(host.list, r, kNameColumn, name);
    ReadCellText(host.list, r, kSizeColumn, size), ReadCellText(host.list, r, kFirstVersionColumn, company);
    ASSERT_EQ(sizes.count(path), 1u) << "row " << r;  // a file of the tree, not met before
    EXPECT_EQ(path.substr(path.rfind(L'\\') + 1) + L" " + std::to_wstring(sizes[path]), name + L" " + std::to_wstring(std::stoull(size)));
    EXPECT_EQ(company, path == top + L"bigver\xFC.exe" ? "表ソフト株式会社" : " ") << "row " << r;
    sizes.erase(path);
    ansi.emplace_back(), ReadCellText(host.list, r, kPathColumn, ansi.back());
  }
  EXPECT_TRUE(sizes.empty());
  const std::string dir = t.Root() + "\\R?sum?\\";
  EXPECT_EQ(Sorted(ansi), Names({dir + "..?..?secret.txt", dir + "??\\inside.txt", dir + "R?sum?\\cv.doc", dir + "bigver?.exe",
                                 dir + "caf?.txt", dir + "cafe.txt", dir + "emoji??.txt", dir + "x?y.txt", dir + "x\\y.txt"}));
}

// On 64-bit Windows, and in a 64-bit Wine prefix, a 32-bit program asking for System32 is shown
// SysWOW64 instead; the scan lists System32 as it is: its names, sizes and version strings.
TEST_F(Scan, System32IsListedAsItIsNotAsTheFolderShownTo32BitPrograms) {
  BOOL wow64 = FALSE;
  if (!IsWow64Process(GetCurrentProcess(), &wow64) || !wow64) GTEST_SKIP() << "not under WoW64: nothing is redirected";
  const std::string sjis = ExeFolder() + "\\fixtures\\sjis.exe", windows = HostPath("C:\\windows");
  const std::string real = windows + "/system32/filora-redirect.exe", shown = windows + "/syswow64/filora-redirect.exe",
                    onlyShown = windows + "/syswow64/filora-only-there.txt";
  ASSERT_TRUE(HostShell("cp '" + HostPath(sjis) + "' '" + real + "' && echo no program > '" + shown + "' && touch '" +
                        onlyShown + "'"));
  settings.includeSubfolders = 0;
  host.Scan("C:\\windows\\system32", "filora-*");
  HostShell("rm -f '" + real + "' '" + shown + "' '" + onlyShown + "'");
  ASSERT_EQ(ColumnTexts(host.list, kPathColumn), Names({"C:\\windows\\system32\\filora-redirect.exe"}));
  EXPECT_EQ(ColumnTexts(host.list, kFirstVersionColumn), Names({"表ソフト株式会社"}));
  EXPECT_EQ(std::stoull(ColumnTexts(host.list, kSizeColumn)[0]), ReadBytes(sjis).size());
}

TEST_F(Scan, StopEndsTheWalkBelowTheFolderItIsInAndAStartThenRunsNested) {
  t.Files({"a.txt", "s\\b.txt", "s\\t\\c.txt"});
  std::string counting;  // the status while the top folder is counted
  DuringScan([&] { return counting = host.Status(), StopScan(), true; });
  host.Scan(t.Root());
  EXPECT_EQ(counting, t.Root() + "\\");
  EXPECT_EQ(ColumnTexts(host.list, kNameColumn), Names({"a.txt"}));
  DuringScan([] { return StopScan(), true; });                  // with the top folder's count
  DuringScan([&] { return StartScan(host.Windows()), true; });  // with its listing
  host.Scan(t.Root());
  // The nested scan lists the whole tree; the outer one, no longer stopped, goes on down.
  EXPECT_EQ(ColumnTexts(host.list, kNameColumn), Names({"a.txt", "b.txt", "c.txt", "b.txt", "c.txt"}));
  EXPECT_EQ(host.Status(), "5/3件");
  ExpectRowsWhole(host.list);
}

static WNDPROC listProc;
static LRESULT CALLBACK RefuseThirdRow(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == LVM_SETITEMCOUNT && wParam > 2) return FALSE;
  return CallWindowProcA(listProc, list, message, wParam, lParam);
}

TEST_F(Scan, AListThatRefusesRowsStopsTheScanWithAMessageOnce) {
  t.Files({"a.txt", "b.txt", "c.txt", "s\\d.txt"});
  listProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(host.list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RefuseThirdRow)));
  DialogDriver boxes([](HWND box) { return PressButton(box, IDOK), true; });
  host.Scan(t.Root());
  EXPECT_EQ(boxes.Count(), 1);
  EXPECT_EQ(boxes.Text(), "一覧に行をこれ以上追加できないため、検索を中断しました。");
  EXPECT_EQ(RowCount(host.list), 2);
  ExpectRowsWhole(host.list);
}

static int opened;
static HINSTANCE WINAPI CountOpen(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT) { return ++opened, nullptr; }

TEST_F(Scan, DeleteOpenAndSortDuringAScanKeepEveryRowWhole) {
  for (const char* dir : {"", "s1\\", "s2\\", "s3\\"}) t.Files({dir + std::string("1.txt"), dir + std::string("2.dat")});
  DuringScan([&] {
    if (RowCount(host.list) < 3) return false;  // in the listing pass
    SelectRows(host.list, {0, 2});
    DeleteSelectedRows(host.list);
    SetListedCount(host.statusBar, RowCount(host.list));
    SortByColumn(host.list, kPathColumn);
    SelectRows(host.list, {0});
    return OpenSelectedRows(host.window, host.list, CountOpen), true;
  });
  host.Scan(t.Root());
  EXPECT_EQ(RowCount(host.list), 6);
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(sortState[kPathColumn], 0);  // every column starts ascending again
  ExpectRowsWhole(host.list);
}

TEST_F(Scan, AutoWidthGivesEveryColumnTheControlsOwnWidth) {
  t.Files({"b.txt"});
  // Rows already listed come first: many names longer in letters than the widest, which comes last.
  for (int r = 0; r < 20; ++r) InsertFileRow(host.list, r, (std::string(30, 'a') + std::to_string(r)).c_str());
  InsertFileRow(host.list, 20, "表表表表表表表表表表表表表表表表表表表表");
  MoveWindow(host.list, 0, 0, 4000, 300, FALSE);  // wider than all columns: the last one fills the rest
  settings.autoWidth = 1;
  settings.clearFirst = 0;
  host.Scan(t.Root());
  for (int c = 0; c < kColumnCount; ++c) {
    const int ours = ListView_GetColumnWidth(host.list, c);
    ListView_SetColumnWidth(host.list, c, LVSCW_AUTOSIZE_USEHEADER);
    EXPECT_EQ(ours, ListView_GetColumnWidth(host.list, c)) << "column " << c;
  }
}
