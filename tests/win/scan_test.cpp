#include "support/WinTestSupport.h"

#include <commctrl.h>

#include "resource.h"
#include "scan/FileList_win.h"
#include "scan/ScanDriver_win.h"
#include "settings/SettingsFile_win.h"

using Names = std::vector<std::string>;

class ScanTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    CreateApp();
    lstrcpyA(settings.filter, "*.*");
    settings.includeSubfolders = 1;
    settings.clearFirst = 1;
  }
  void SetFilter(const char* filter) { lstrcpyA(settings.filter, filter); }
  // Queues n harmless messages: the scan takes one per folder it visits.
  void QueueNulls(int n) {
    for (int i = 0; i < n; ++i) PostMessageA(main_, WM_NULL, 0, 0);
  }
  void QueueStop() { PostMessageA(main_, WM_COMMAND, IDM_STOP, 0); }
};

TEST_F(ScanTest, ListsPreOrderAndPatternAfterPattern) {
  TempTree t;
  t.File("a.txt", "x");
  t.File("b.log");
  t.File("sub\\c.txt");
  t.File("sub\\d.log");
  SetFilter("*.txt;*.log");
  Scan(t.Root());
  EXPECT_EQ(Column(0), (Names{"a.txt", "c.txt", "b.log", "d.log"}));
  EXPECT_EQ(Cell(1, 16), t.Root() + "\\sub\\c.txt");
  EXPECT_EQ(StatusText(), "4/4件");
  for (int r = 0; r < RowCount(); ++r) EXPECT_EQ(Tag(r), r) << "row tags follow the insertion count";
}

TEST_F(ScanTest, FolderTextWithAndWithoutBackslashGiveTheSamePaths) {
  TempTree t;
  t.File("one.txt");
  Scan(t.Root());
  ASSERT_EQ(RowCount(), 1);
  EXPECT_EQ(Cell(0, 16), t.Root() + "\\one.txt");
  Scan(t.Root() + "\\");
  ASSERT_EQ(RowCount(), 1);
  EXPECT_EQ(Cell(0, 16), t.Root() + "\\one.txt");
}

TEST_F(ScanTest, BlankAfterSeparatorStaysPartOfThePattern) {
  TempTree t;
  t.File("a.txt");
  t.File("b.log");
  t.File(" b.log");
  SetFilter("*.txt; b.log");
  Scan(t.Root());
  EXPECT_EQ(Column(0), (Names{"a.txt", " b.log"}));
}

TEST_F(ScanTest, EmptyFilterListsEverythingAndEmptyPiecesMatchNothing) {
  TempTree t;
  t.File("a.txt");
  t.File("noext");
  t.File("s\\b.dat");
  SetFilter("");
  Scan(t.Root());
  EXPECT_EQ(RowCount(), 3);
  SetFilter(";;a.txt;");
  Scan(t.Root());
  EXPECT_EQ(Column(0), (Names{"a.txt"}));
}

TEST_F(ScanTest, FileMatchingTwoPatternsIsListedTwice) {
  TempTree t;
  t.File("a.txt");
  SetFilter("*.txt;a.*");
  Scan(t.Root());
  EXPECT_EQ(Column(0), (Names{"a.txt", "a.txt"}));
}

TEST_F(ScanTest, WithoutSubfoldersOnlyTheTopFolderIsListed) {
  TempTree t;
  t.File("top.txt");
  t.File("sub\\inner.txt");
  settings.includeSubfolders = 0;
  Scan(t.Root());
  EXPECT_EQ(Column(0), (Names{"top.txt"}));
}

TEST_F(ScanTest, FolderEndingInTrailByte5CIsScannedWithCorrectPaths) {
  TempTree t;
  t.File("図表\\data.txt");
  t.File("図表\\ソ\\x.txt");
  Scan(t.Root() + "\\図表");
  ASSERT_EQ(RowCount(), 2);
  EXPECT_EQ(Cell(0, 16), t.Root() + "\\図表\\data.txt");
  EXPECT_EQ(Cell(1, 16), t.Root() + "\\図表\\ソ\\x.txt");
}

TEST_F(ScanTest, DotFoldersAreNotEnteredButDotFilesAreListed) {
  TempTree t;
  t.File(".profile");
  t.File(".cache\\hidden.txt");
  t.File("sub\\.rc");
  Scan(t.Root());
  EXPECT_EQ(Column(0), (Names{".profile", ".rc"}));
}

TEST_F(ScanTest, MissingFolderAndFilePathListNothingSilently) {
  TempTree t;
  std::string file = t.File("plain.txt");
  Scan(file);
  EXPECT_EQ(RowCount(), 0);
  Scan(t.Root() + "\\does-not-exist");
  EXPECT_EQ(RowCount(), 0);
  EXPECT_TRUE(MenuHas(IDM_START));
}

TEST_F(ScanTest, EmptyFolderShowsErrorBoxAndChangesNothing) {
  TempTree t;
  t.File("a.txt");
  Scan(t.Root());
  ASSERT_EQ(RowCount(), 1);
  DialogWatcher watcher([](HWND dialog) { PressDialogButton(dialog, IDOK); });
  Scan("");
  EXPECT_TRUE(watcher.Seen());
  EXPECT_EQ(watcher.Title(), "FILORA");
  EXPECT_NE(watcher.Text().find("検索するフォルダを選択して下さい。"), std::string::npos) << watcher.Text();
  EXPECT_EQ(RowCount(), 1);
  EXPECT_TRUE(MenuHas(IDM_START));
}

TEST_F(ScanTest, ClearFirstOffAppendsAndProgressContinues) {
  TempTree t;
  t.File("a.txt");
  t.File("b.txt");
  Scan(t.Root());
  settings.clearFirst = 0;
  TempTree u;
  u.File("c.txt");
  Scan(u.Root());
  EXPECT_EQ(Column(0), (Names{"a.txt", "b.txt", "c.txt"}));
  EXPECT_EQ(StatusText(), "3/3件");
  EXPECT_EQ(itemCounter, 3);
  EXPECT_EQ(totalCount, 3);
}

TEST_F(ScanTest, StopDuringCountingListsOnlyTheTopFolder) {
  TempTree t;
  t.File("a.txt");
  t.File("s1\\b.txt");
  t.File("s2\\c.txt");
  QueueStop();  // taken after the top folder's files are counted
  Scan(t.Root());
  EXPECT_EQ(Column(0), (Names{"a.txt"}));
  EXPECT_EQ(totalCount, 1);
  EXPECT_TRUE(MenuHas(IDM_START));
  EXPECT_FALSE(MenuHas(IDM_STOP));
}

TEST_F(ScanTest, StopDuringListingFinishesSiblingsWithoutDescending) {
  TempTree t;
  t.File("a.txt");
  t.File("s1\\b.txt");
  t.File("s1\\deep\\x.txt");
  t.File("s2\\c.txt");
  t.File("s2\\deep\\y.txt");
  // Five folders in the counting pass; the stop arrives in the listing pass after s1's files.
  QueueNulls(6);
  QueueStop();
  Scan(t.Root());
  Names names = Column(0);
  // Subfolders come in the platform's order; both s1 and s2 keep their own files.
  ASSERT_EQ(names.size(), 3u) << ::testing::PrintToString(names);
  EXPECT_EQ(names[0], "a.txt");
  EXPECT_EQ(Names(names.begin() + 1, names.end()) == (Names{"b.txt", "c.txt"}) ||
                Names(names.begin() + 1, names.end()) == (Names{"c.txt", "b.txt"}),
            true);
  EXPECT_EQ(totalCount, 5);
}

// Records the menu's state when a probe message reaches the window during a scan.
static WNDPROC originalProc;
static bool probeBusy, probeStartShown;
static LRESULT CALLBACK ProbeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_APP) {
    HMENU menu = GetMenu(hwnd);
    probeBusy = true;
    for (UINT id : {IDM_SAVE, IDM_EXIT, IDM_OPTIONS, IDM_ABOUT, IDM_HELP})
      probeBusy = probeBusy && (GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED);
    probeBusy = probeBusy && !IsWindowEnabled(GetDlgItem(hwnd, IDC_BROWSE));
    probeStartShown = GetMenuState(menu, IDM_START, MF_BYCOMMAND) != static_cast<UINT>(-1);
    return 0;
  }
  return CallWindowProcA(originalProc, hwnd, message, wParam, lParam);
}

TEST_F(ScanTest, MenuIsBusyDuringScanAndIdleAfter) {
  TempTree t;
  t.File("a.txt");
  originalProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(main_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ProbeProc)));
  PostMessageA(main_, WM_APP, 0, 0);
  Scan(t.Root());
  SetWindowLongPtrA(main_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(originalProc));
  EXPECT_TRUE(probeBusy);
  EXPECT_FALSE(probeStartShown);
  EXPECT_TRUE(MenuHas(IDM_START));
  EXPECT_FALSE(MenuHas(IDM_STOP));
  for (int id : {IDM_SAVE, IDM_EXIT, IDM_OPTIONS, IDM_ABOUT, IDM_HELP}) EXPECT_TRUE(MenuEnabled(id)) << id;
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(main_, IDC_BROWSE)));
}

TEST_F(ScanTest, EveryScanResetsSortDirections) {
  TempTree t;
  t.File("a.txt");
  for (int& s : sortState) s = 2;
  Scan(t.Root());
  for (int s : sortState) EXPECT_EQ(s, 0);
}

TEST_F(ScanTest, AutoWidthSizesColumnsToContent) {
  TempTree t;
  t.File(std::string(120, 'w') + ".txt");
  settings.autoWidth = 1;
  Scan(t.Root());
  EXPECT_GT(SendMessageA(List(), LVM_GETCOLUMNWIDTH, 0, 0), 300);
}

TEST_F(ScanTest, LongPathsAreSkippedWithoutOverflow) {
  TempTree t;
  // Fill the path up to the 259-byte limit with nested folders, then put files at the edge.
  std::string rel;
  while (t.Root().size() + rel.size() + 60 < 230) rel += std::string(50, 'd') + "\\";
  std::string dir = t.Dir(rel.substr(0, rel.size() - 1));
  int room = 259 - static_cast<int>(dir.size()) - 1;  // bytes left for a name
  ASSERT_GT(room, 5);
  t.File(rel + std::string(room, 'f'));                 // path of exactly 259 bytes
  std::string tooLong = dir + "\\" + std::string(room + 1, 'g');
  // The platform may refuse the longer name itself; either way it must not be listed.
  HANDLE h = CreateFileA(tooLong.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  Scan(t.Root());
  Names paths = Column(16);
  ASSERT_EQ(paths.size(), 1u);
  EXPECT_EQ(paths[0].size(), 259u);
}

TEST_F(ScanTest, DeepTreeIsWalkedToTheBottom) {
  TempTree t;
  std::string rel;
  int depth = 0;
  while (t.Root().size() + rel.size() + 2 + 6 < 259) {
    rel += "d\\";
    ++depth;
  }
  t.File(rel + "z.txt");
  Scan(t.Root());
  ASSERT_EQ(RowCount(), 1) << depth << " levels";
  EXPECT_GE(depth, 100);
}

TEST_F(ScanTest, FullListStopsTheScanCleanlyAndSaysSo) {
  TempTree t;
  for (int i = 0; i < 6; ++i) t.File("f" + std::to_string(i) + ".txt");
  SetRowLimitForTest(4);
  DialogWatcher watcher([](HWND dialog) { PressDialogButton(dialog, IDOK); });
  Scan(t.Root());
  SetRowLimitForTest(-1);
  EXPECT_TRUE(watcher.Seen());
  EXPECT_EQ(RowCount(), 4);
  for (int r = 0; r < 4; ++r) EXPECT_EQ(Cell(r, 16), t.Root() + "\\" + Cell(r, 0));
  EXPECT_TRUE(MenuHas(IDM_START));
  EXPECT_EQ(StatusText(), "4/6件");
}
