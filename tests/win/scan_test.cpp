// The walk and the scan's lifecycle on real trees, with the children of a plain host window.
#include "support/Support.h"

#include <commctrl.h>

#include <algorithm>

#include "listops/ColumnSort_win.h"
#include "listops/RowActions_win.h"
#include "scan/FileList_win.h"
#include "settings/SettingsFile_win.h"

using Names = std::vector<std::string>;
static Names Sorted(Names names) { return std::sort(names.begin(), names.end()), names; }

// Every row's cells belong to one file: the path ends in the name and the size is filled in.
static void ExpectRowsWhole(HWND list) {
  const Names names = ColumnTexts(list, kNameColumn), paths = ColumnTexts(list, kPathColumn);
  const Names sizes = ColumnTexts(list, kSizeColumn);
  for (size_t r = 0; r < names.size(); ++r)
    EXPECT_TRUE(paths[r].substr(paths[r].rfind('\\') + 1) == names[r] && sizes[r].size() == 10) << "row " << r;
}

TEST(Scan, ListsEachPatternInTurnDepthFirstAndSkipsDotFolders) {
  TempTree t;
  t.Files({"a.txt", "b.log", ".profile", "s\\c.txt", "s\\t\\d.log", ".cache\\e.txt", "図表\\f.txt"});
  Host host;
  host.Scan(t.Root(), "*.txt;*.log");
  const Names names = ColumnTexts(host.list, kNameColumn);
  ASSERT_EQ(names.size(), 5u);
  EXPECT_EQ(names[0], "a.txt");
  EXPECT_EQ(Sorted({names[1], names[2]}), Names({"c.txt", "f.txt"}));  // the platform orders subfolders
  EXPECT_EQ(Names(names.begin() + 3, names.end()), Names({"b.log", "d.log"}));
  EXPECT_EQ(ColumnTexts(host.list, kPathColumn)[0], t.Root() + "\\a.txt");
  EXPECT_EQ(host.Status(), "5/5件");
  EXPECT_EQ(Host::busyCalls, std::vector<bool>({true, false}));
  host.Scan(t.Root(), "");  // every file
  EXPECT_EQ(RowCount(host.list), 6);
  settings.includeSubfolders = 0;
  host.Scan(t.Root(), "*.txt; *.log;");  // blanks belong to the pattern; empty pieces match nothing
  EXPECT_EQ(ColumnTexts(host.list, kNameColumn), Names({"a.txt"}));
}

TEST(Scan, ClearFirstOffAppendsAndEveryColumnStartsAscendingAgain) {
  TempTree t;
  t.Files({"a.txt", "b.txt"});
  Host host;
  host.Scan(t.Root());
  SortByColumn(host.list, kNameColumn);
  SortByColumn(host.list, kNameColumn);
  settings.clearFirst = 0;
  host.Scan(t.Root());
  EXPECT_EQ(host.Status(), "4/4件");
  EXPECT_EQ(ColumnTexts(host.list, kNameColumn), Names({"b.txt", "a.txt", "a.txt", "b.txt"}));
  EXPECT_EQ(sortState[kNameColumn], 0);
  SetListedCount(host.statusBar, 3);  // as the window does after Delete
  EXPECT_EQ(host.Status(), "3/3件");
}

TEST(Scan, AnEmptyFolderBoxIsRefusedWithAMessage) {
  Host host;
  DialogDriver boxes([](HWND box) { return PressButton(box, IDOK), true; });
  host.Scan("");
  EXPECT_EQ(boxes.Count(), 1);
  EXPECT_EQ(boxes.Text(), "検索するフォルダを選択して下さい。");
  EXPECT_TRUE(Host::busyCalls.empty());
}

TEST(Scan, FolderLinksLeadingBackUpAreNotEnteredOthersAre) {
  TempTree t;
  t.Files({"a.txt", "s\\b.txt", "o\\"});
  const std::string s = HostPath(t.Root() + "\\s"), other = HostPath(t.Root() + "\\o") + "/other";
  ASSERT_TRUE(HostShell("ln -s '" + s + "' '" + s + "/self' && ln -s .. '" + s + "/up' && ln -s '" + s + "' '" + other + "'"));
  Host host;
  host.Scan(t.Root());
  EXPECT_EQ(Sorted(ColumnTexts(host.list, kNameColumn)), Names({"a.txt", "b.txt", "b.txt"}));
}

TEST(Scan, PathsOf259BytesAreListedLongerOnesLeftOutDeepTreesWalked) {
  TempTree t;
  const std::string fits(258 - t.Root().size(), 'f'), tooLong(259 - t.Root().size(), 'g');
  std::string deep = HostPath(t.Root());  // far deeper than a path can reach
  for (int level = 0; level < 150; ++level) deep += "/d";
  ASSERT_TRUE(HostShell("cd '" + HostPath(t.Root()) + "' && touch " + fits + " " + tooLong + " && mkdir -p '" + deep +
                        "' && touch '" + deep + "/x' d/d/d/y"));
  Host host;
  host.Scan(t.Root());
  EXPECT_EQ(Sorted(ColumnTexts(host.list, kNameColumn)), Names({fits, "y"}));
  EXPECT_EQ(host.Status(), "2/2件");
}

TEST(Scan, StopEndsTheWalkBelowTheFolderItIsIn) {
  TempTree t;
  t.Files({"a.txt", "s\\b.txt"});
  Host host;
  std::string counting;  // the status while the top folder is counted
  DuringScan([&] { return counting = host.Status(), StopScan(), true; });
  host.Scan(t.Root());
  EXPECT_EQ(counting, t.Root() + "\\");
  EXPECT_EQ(ColumnTexts(host.list, kNameColumn), Names({"a.txt"}));
  EXPECT_EQ(host.Status(), "1/1件");
  EXPECT_EQ(Host::busyCalls.back(), false);
}

TEST(Scan, StartAfterStopRunsNestedAndTheOuterScanGoesOn) {
  TempTree t;
  t.Files({"a.txt", "s\\b.txt", "s\\t\\c.txt"});
  Host host;
  DuringScan([] { return StopScan(), true; });                      // with the top folder's count
  DuringScan([&] { return StartScan(host.Windows()), true; });      // with its listing
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

TEST(Scan, AListThatRefusesRowsStopsTheScanWithAMessageOnce) {
  TempTree t;
  t.Files({"a.txt", "b.txt", "c.txt", "s\\d.txt"});
  Host host;
  listProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(host.list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RefuseThirdRow)));
  DialogDriver boxes([](HWND box) { return PressButton(box, IDOK), true; });
  host.Scan(t.Root());
  EXPECT_EQ(boxes.Count(), 1);
  EXPECT_EQ(boxes.Text(), "一覧に行をこれ以上追加できないため、検索を中断しました。");
  EXPECT_EQ(RowCount(host.list), 2);
  ExpectRowsWhole(host.list);
  EXPECT_EQ(Host::busyCalls.back(), false);
}

static int opened;
static HINSTANCE WINAPI CountOpen(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT) { return ++opened, nullptr; }

TEST(Scan, DeleteOpenAndSortDuringAScanKeepEveryRowWhole) {
  TempTree t;
  for (const char* dir : {"", "s1\\", "s2\\", "s3\\"}) t.Files({dir + std::string("1.txt"), dir + std::string("2.dat")});
  Host host;
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
  ExpectRowsWhole(host.list);
}

TEST(Scan, AutoWidthGivesEveryColumnTheControlsOwnWidth) {
  TempTree t;
  t.Files({"a-rather-long-file-name-to-be-measured.txt", "b.txt"});
  Host host;
  MoveWindow(host.list, 0, 0, 4000, 300, FALSE);  // wider than all columns: the last one fills the rest
  settings.autoWidth = 1;
  host.Scan(t.Root());
  std::vector<int> ours, control;
  for (int c = 0; c < kColumnCount; ++c) ours.push_back(ListView_GetColumnWidth(host.list, c));
  for (int c = 0; c < kColumnCount; ++c) ListView_SetColumnWidth(host.list, c, LVSCW_AUTOSIZE_USEHEADER);
  for (int c = 0; c < kColumnCount; ++c) control.push_back(ListView_GetColumnWidth(host.list, c));
  EXPECT_EQ(ours, control);
}
