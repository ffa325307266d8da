// The walk and the scan's lifecycle on real trees, with the list, status bar and folder box of a
// plain host window.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "listops/ColumnSort_win.h"
#include "listops/RowActions_win.h"
#include "scan/FileList_win.h"
#include "settings/SettingsFile_win.h"
#include "support/Support.h"

using Names = std::vector<std::string>;

// Every row's cells belong to one file: the path ends in the name and the size is filled in.
static void ExpectRowsWhole(HWND list) {
  const Names names = ColumnTexts(list, kNameColumn), paths = ColumnTexts(list, kPathColumn);
  const Names sizes = ColumnTexts(list, kSizeColumn);
  for (size_t r = 0; r < names.size(); ++r) {
    EXPECT_EQ(paths[r].substr(paths[r].rfind('\\') + 1), names[r]) << "row " << r;
    EXPECT_EQ(sizes[r].size(), 10u) << "row " << r;
  }
}

TEST(Scan, ListsEachPatternInTurnDepthFirstAndSkipsDotFolders) {
  TempTree t;
  t.File("a.txt");
  t.File("b.log");
  t.File(".profile");
  t.File("s\\c.txt");
  t.File("s\\t\\d.log");
  t.File(".cache\\e.txt");
  t.File("図表\\f.txt");  // 0x5C trail byte in the folder name
  Host host;
  host.Scan(t.Root(), "*.txt;*.log");
  const Names names = ColumnTexts(host.list, kNameColumn);
  ASSERT_EQ(names.size(), 5u);
  EXPECT_EQ(names[0], "a.txt");
  Names inSubfolders = {names[1], names[2]};  // the platform orders the subfolders
  std::sort(inSubfolders.begin(), inSubfolders.end());
  EXPECT_EQ(inSubfolders, Names({"c.txt", "f.txt"}));
  EXPECT_EQ(Names(names.begin() + 3, names.end()), Names({"b.log", "d.log"}));
  EXPECT_EQ(ColumnTexts(host.list, kPathColumn)[0], t.Root() + "\\a.txt");
  EXPECT_EQ(host.Status(), "5/5件");
  EXPECT_EQ(Host::busyCalls, std::vector<bool>({true, false}));

  host.Scan(t.Root(), "");  // an empty filter is every file
  EXPECT_EQ(RowCount(host.list), 6);
  settings.includeSubfolders = 0;
  host.Scan(t.Root(), "*.txt; *.log;");  // blanks belong to the pattern; empty pieces match nothing
  EXPECT_EQ(ColumnTexts(host.list, kNameColumn), Names({"a.txt"}));
}

TEST(Scan, ClearFirstOffAppendsAndEveryColumnStartsAscendingAgain) {
  TempTree t;
  t.File("a.txt");
  t.File("b.txt");
  Host host;
  host.Scan(t.Root());
  SortByColumn(host.list, kNameColumn);
  SortByColumn(host.list, kNameColumn);
  EXPECT_EQ(sortState[kNameColumn], 2);
  settings.clearFirst = 0;
  host.Scan(t.Root());
  EXPECT_EQ(RowCount(host.list), 4);
  EXPECT_EQ(host.Status(), "4/4件");
  EXPECT_EQ(RowTags(host.list), std::vector<long>({1, 0, 2, 3}));
  EXPECT_EQ(sortState[kNameColumn], 0);
}

TEST(Scan, AnEmptyFolderBoxIsRefusedWithAMessage) {
  Host host;
  DialogDriver boxes([](HWND box) { PressButton(box, IDOK); return true; });
  host.Scan("");
  EXPECT_EQ(boxes.Count(), 1);
  EXPECT_EQ(boxes.Text().find("検索するフォルダを選択して下さい。") != std::string::npos, true) << boxes.Text();
  EXPECT_TRUE(Host::busyCalls.empty());
}

TEST(Scan, FolderLinksLeadingBackUpAreNotEnteredOthersAre) {
  TempTree t;
  t.File("a.txt");
  t.File("s\\b.txt");
  const std::string s = HostPath(t.Root() + "\\s");
  ASSERT_TRUE(HostShell("ln -s '" + s + "' '" + s + "/self' && ln -s .. '" + s + "/up' && ln -s '" + s + "' '" +
                        HostPath(t.Dir("o")) + "/other'"));
  Host host;
  host.Scan(t.Root());
  // Links are taken away first: the removal of the tree would follow them.
  ASSERT_TRUE(HostShell("rm '" + s + "/self' '" + s + "/up' '" + HostPath(t.Root()) + "/o/other'"));
  Names names = ColumnTexts(host.list, kNameColumn);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, Names({"a.txt", "b.txt", "b.txt"}));  // once in s, once through o\other
}

TEST(Scan, PathsOf259BytesAreListedLongerOnesLeftOut) {
  TempTree t;
  const std::string root = t.Root() + "\\";
  const std::string fits(259 - root.size(), 'f'), tooLong(260 - root.size(), 'g');
  // A folder so deep that its files' paths cannot fit, and a walk far down a narrow tree.
  std::string deep = HostPath(t.Root());
  for (int level = 0; level < 150; ++level) deep += "/d";
  ASSERT_TRUE(HostShell("cd '" + HostPath(t.Root()) + "' && touch " + fits + " " + tooLong + " && mkdir -p '" + deep +
                        "' && touch '" + deep + "/x' d/d/d/y"));
  Host host;
  host.Scan(t.Root());
  Names names = ColumnTexts(host.list, kNameColumn);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, Names({fits, "y"}));
  EXPECT_EQ(host.Status(), "2/2件");
}

TEST(Scan, StopEndsTheWalkBelowTheFolderItIsIn) {
  TempTree t;
  t.File("a.txt");
  t.File("s\\b.txt");
  Host host;
  DuringScan([] { StopScan(); return true; });
  host.Scan(t.Root());
  EXPECT_EQ(ColumnTexts(host.list, kNameColumn), Names({"a.txt"}));
  EXPECT_EQ(host.Status(), "1/1件");
  EXPECT_EQ(Host::busyCalls.back(), false);
}

TEST(Scan, StartAfterStopRunsNestedAndTheOuterScanGoesOn) {
  TempTree t;
  t.File("a.txt");
  t.File("s\\b.txt");
  t.File("s\\t\\c.txt");
  Host host;
  DuringScan([] { StopScan(); return true; });  // with the top folder's count
  DuringScan([&] { StartScan(host.Windows()); return true; });  // with its listing
  host.Scan(t.Root());
  // The nested scan lists the whole tree; the outer one, no longer stopped, goes on down.
  EXPECT_EQ(ColumnTexts(host.list, kNameColumn), Names({"a.txt", "b.txt", "c.txt", "b.txt", "c.txt"}));
  EXPECT_EQ(host.Status(), "5/3件");
  ExpectRowsWhole(host.list);
}

static WNDPROC listProc;
static LRESULT CALLBACK RefuseThirdRow(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == LVM_INSERTITEMA && RowCount(list) >= 2) return -1;
  return CallWindowProcA(listProc, list, message, wParam, lParam);
}

TEST(Scan, AListThatRefusesRowsStopsTheScanWithAMessageOnce) {
  TempTree t;
  for (const char* name : {"a.txt", "b.txt", "c.txt", "s\\d.txt"}) t.File(name);
  Host host;
  listProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(host.list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RefuseThirdRow)));
  DialogDriver boxes([](HWND box) { PressButton(box, IDOK); return true; });
  host.Scan(t.Root());
  EXPECT_EQ(boxes.Count(), 1);
  EXPECT_NE(boxes.Text().find("一覧に行をこれ以上追加できないため、検索を中断しました。"), std::string::npos);
  EXPECT_EQ(RowCount(host.list), 2);
  ExpectRowsWhole(host.list);
  EXPECT_EQ(Host::busyCalls.back(), false);
}

static int opened;
static HINSTANCE WINAPI CountOpen(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT) {
  ++opened;
  return reinterpret_cast<HINSTANCE>(33);
}

TEST(Scan, DeleteOpenAndSortDuringAScanKeepEveryRowWhole) {
  TempTree t;
  for (const char* dir : {"", "s1\\", "s2\\", "s3\\"})
    for (const char* name : {"1.txt", "2.dat", "3.log"}) t.File(std::string(dir) + name, "qqq");
  Host host;
  opened = 0;
  DuringScan([&] {
    if (RowCount(host.list) < 4) return false;  // in the listing pass
    SelectRows(host.list, {0, 2});
    DeleteSelectedRows(host.list);
    SetListedCount(host.statusBar, RowCount(host.list));
    SortByColumn(host.list, kPathColumn);
    SelectRows(host.list, {0});
    OpenSelectedRows(host.window, host.list, CountOpen);
    return true;
  });
  host.Scan(t.Root());
  EXPECT_EQ(RowCount(host.list), 10);
  EXPECT_EQ(opened, 1);
  ExpectRowsWhole(host.list);
}

TEST(Scan, AutoWidthGivesEveryColumnTheControlsOwnWidth) {
  TempTree t;
  t.File("a-rather-long-file-name-to-be-measured.txt", std::string(1234567, 'x'));
  t.File("b.txt");
  Host host;
  MoveWindow(host.list, 0, 0, 4000, 300, FALSE);  // wider than every column together
  settings.autoWidth = 1;
  host.Scan(t.Root());
  std::vector<int> ours, control;
  for (int c = 0; c < kColumnCount; ++c) ours.push_back(ListView_GetColumnWidth(host.list, c));
  for (int c = 0; c < kColumnCount; ++c) ListView_SetColumnWidth(host.list, c, LVSCW_AUTOSIZE_USEHEADER);
  for (int c = 0; c < kColumnCount; ++c) control.push_back(ListView_GetColumnWidth(host.list, c));
  EXPECT_EQ(ours, control);
}
