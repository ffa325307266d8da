// The scan's shortcuts (type names per extension, no version query for files that cannot hold
// one, a quiet list, a status bar shown at a readable pace, fast sorting and column sizing) must
// leave every row, cell, width and text exactly as the plain way gives them.
#include "support/WinTestSupport.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <deque>
#include <map>

#include "app/MainWindow_win.h"
#include "resource.h"
#include "scan/ColumnTable.h"
#include "scan/FileCells.h"
#include "scan/FileCells_win.h"
#include "scan/FileList_win.h"
#include "scan/FilterSplit.h"
#include "scan/ScanDriver_win.h"
#include "scan/ScanText.h"
#include "scan/VersionText.h"
#include "settings/SettingsFile_win.h"

using Texts = std::vector<std::string>;
using Rows = std::vector<Texts>;

namespace {

// --- The plain way: every question asked of the platform for every file ---

Texts PlainVersionCells(const std::string& path) {
  const Texts blanks(kVersionColumnCount, " ");
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
  if (size == 0) return blanks;
  std::vector<char> block(size);
  if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data())) return blanks;
  void* value = nullptr;
  UINT length = 0;
  WORD pair[2] = {};
  const bool hasTranslation =
      VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &length) && length >= sizeof pair;
  if (hasTranslation) std::memcpy(pair, value, sizeof pair);
  for (const std::string& translation : VersionTranslationsToTry(hasTranslation, pair[0], pair[1])) {
    Texts table = blanks;
    bool found = false;
    for (int k = 0; k < kVersionColumnCount; ++k) {
      if (!VerQueryValueA(block.data(), VersionQueryPath(translation, kVersionKeys[k]).c_str(), &value, &length))
        continue;
      found = true;
      const char* text = static_cast<const char*>(value);
      table[k] = VersionCell(text, length == 0 ? 0 : std::strlen(text));
    }
    if (found) return table;
  }
  return blanks;
}

Texts PlainRow(const std::string& dir, const WIN32_FIND_DATAA& data) {
  const std::string path = dir + data.cFileName;
  SHFILEINFOA info = {};
  const bool typed = SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_TYPENAME | SHGFI_USEFILEATTRIBUTES);
  Texts row = {data.cFileName,
               typed ? info.szTypeName : "",
               FormatSize((static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow),
               FormatLocalFileTime(data.ftCreationTime, true, nullptr),
               FormatLocalFileTime(data.ftLastWriteTime, true, nullptr),
               FormatLocalFileTime(data.ftLastAccessTime, false, nullptr),
               FormatAttributes(data.dwFileAttributes),
               ShortNameCell(data.cAlternateFileName)};
  for (const std::string& cell : PlainVersionCells(path)) row.push_back(cell);
  row.push_back(path);
  return row;
}

// One pattern's walk: a folder's matching files in the platform's order, then its subfolders.
void PlainWalk(const std::string& folder, const std::string& pattern, Rows& rows, Texts& folders) {
  const std::string dir = folder + "\\";
  folders.push_back(dir);
  WIN32_FIND_DATAA data;
  HANDLE find = pattern.empty() ? INVALID_HANDLE_VALUE : FindFirstFileA((dir + pattern).c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) rows.push_back(PlainRow(dir, data));
    } while (FindNextFileA(find, &data));
    FindClose(find);
  }
  Texts subfolders;
  find = FindFirstFileA((dir + "*.*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && data.cFileName[0] != '.')
        subfolders.push_back(data.cFileName);
    } while (FindNextFileA(find, &data));
    FindClose(find);
  }
  for (const std::string& name : subfolders) PlainWalk(dir + name, pattern, rows, folders);
}

std::string OwnProgram() { return ExeFolder() + "\\FILORA.EXE"; }

// Programs under other names, files named like programs that are none, many extensions in
// several cases, names without an extension or with a blank after the dot, several folders.
void BuildMixedTree(TempTree& t) {
  t.Dir("sub1\\deep");
  t.Dir("図表");
  for (const char* name : {"prog.bin", "tool.exe", "LIB.DLL", "sub1\\deep\\setup.EXE", "図表\\viewer.dat"})
    ASSERT_TRUE(CopyFileA(OwnProgram().c_str(), (t.Root() + "\\" + name).c_str(), FALSE)) << name;
  t.File("fake.exe", "plain text, not a program\r\n");
  t.File("mz.exe", "MZ and then nothing a program would hold");
  t.File("empty.exe");
  t.File("one.dll", "M");
  t.File("readme.txt", "hello");
  t.File("notes.TXT", "upper case extension");
  t.File("memo.Txt", "mixed case extension");
  t.File("data.qzx", "an extension nobody registered");
  t.File("more.QZX", "the same, upper case");
  t.File("noext", "no dot at all");
  t.File("a.b c", "a blank after the dot");
  t.File("notes.txt copy", "the shell sees no extension here, unlike in readme.txt");
  t.File(".profile", "a name that starts with a dot");
  t.File("archive.tar.gz", "two dots");
  t.File("日本語の名前.txt", "japanese");
  t.File("表.log", "a name ending in a 0x5C trail byte");
  t.File("A rather long file name with blanks.text", "long");
  t.File("picture.jpg", std::string(3000, 'j'));
  t.File("sheet.csv", "a,b\r\n");
  t.File("page.html", "<p>");
  t.File("sub1\\inner.txt", "inner");
  t.File("sub1\\inner.qzx", "inner");
  t.File("sub1\\NOEXT2", "inner");
  t.File("sub1\\deep\\bottom.log", "deep");
  t.File("sub1\\deep\\bottom.txt", "deep");
  t.File("sub1\\deep\\fake.dll", "not a library");
  t.File("図表\\ソ.txt", "trail byte 0x5C");
  t.File("図表\\表計算.csv", "x");
  t.File("sub2 with blanks\\a.txt", "x");
  t.File("sub2 with blanks\\b.TXT", "x");
  t.File("sub2 with blanks\\c.Qzx", "x");
  t.File("sub2 with blanks\\d", "x");
  t.File(".hidden folder\\never.txt", "a folder starting with a dot is not entered");
  t.Dir("empty folder");
}

// A window whose queued messages run the test's actions from inside a scan: the scan hands on
// one queued message after each folder it visits.
class ScanProbe {
 public:
  ScanProbe() {
    static const bool registered = [] {
      WNDCLASSA wc = {};
      wc.lpfnWndProc = Proc;
      wc.hInstance = GetModuleHandleA(nullptr);
      wc.lpszClassName = "FiloraScanProbe";
      return RegisterClassA(&wc) != 0;
    }();
    EXPECT_TRUE(registered);
    window_ = CreateWindowExA(0, "FiloraScanProbe", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr),
                              nullptr);
    current = this;
  }
  ~ScanProbe() {
    current = nullptr;
    DestroyWindow(window_);
  }
  ScanProbe(const ScanProbe&) = delete;
  ScanProbe& operator=(const ScanProbe&) = delete;

  void Then(std::function<void()> action) {
    actions_.push_back(std::move(action));
    PostMessageA(window_, WM_APP, 0, 0);
  }
  // Lets n folders go by.
  void Skip(int n) {
    for (int i = 0; i < n; ++i) Then([] {});
  }
  int Pending() const { return static_cast<int>(actions_.size()); }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP && current && !current->actions_.empty()) {
      auto action = std::move(current->actions_.front());
      current->actions_.pop_front();
      action();
      return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }
  static ScanProbe* current;
  HWND window_ = nullptr;
  std::deque<std::function<void()>> actions_;
};
ScanProbe* ScanProbe::current = nullptr;

// Counts the list's custom-draw notifications, which it sends only while it really paints.
WNDPROC mainProc;
int listPaints;
LRESULT CALLBACK CountingMainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY) {
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->hwndFrom == FileListControl() && header->code == static_cast<UINT>(NM_CUSTOMDRAW) &&
        reinterpret_cast<const NMCUSTOMDRAW*>(lParam)->dwDrawStage == CDDS_PREPAINT)
      ++listPaints;
  }
  return CallWindowProcA(mainProc, hwnd, message, wParam, lParam);
}

class PerfTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    CreateApp();
    lstrcpyA(settings.filter, "*.*");
    settings.includeSubfolders = 1;
    settings.clearFirst = 1;
    settings.autoWidth = 0;
  }
  void TearDown() override {
    if (mainProc && main_ && IsWindow(main_)) SetWindowLongPtrA(main_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(mainProc));
    mainProc = nullptr;
    AppTest::TearDown();
  }

  Rows AllRows() const {
    Rows rows;
    for (int r = 0; r < RowCount(); ++r) rows.push_back(Row(r));
    return rows;
  }
  // The rows of the current filter, and the folders in the order they are visited.
  Rows PlainRows(const std::string& root, Texts* folders = nullptr) const {
    Rows rows;
    Texts visited;
    for (const std::string& pattern : SplitFilter(settings.filter)) PlainWalk(root, pattern, rows, visited);
    if (folders) *folders = visited;
    return rows;
  }

  std::vector<int> Widths() const {
    std::vector<int> widths;
    for (int c = 0; c < kColumnCount; ++c) widths.push_back(static_cast<int>(SendMessageA(List(), LVM_GETCOLUMNWIDTH, c, 0)));
    return widths;
  }
  // What the control itself makes of the list when its columns start from the given widths.
  std::vector<int> ControlsOwnWidths(const std::vector<int>& from) {
    for (int c = 0; c < kColumnCount; ++c) SendMessageA(List(), LVM_SETCOLUMNWIDTH, c, from[c]);
    for (int c = 0; c < kColumnCount; ++c)
      SendMessageA(List(), LVM_SETCOLUMNWIDTH, c, MAKELPARAM(LVSCW_AUTOSIZE_USEHEADER, 0));
    return Widths();
  }

  void AddTaggedRows(const std::vector<std::pair<std::string, LPARAM>>& rows) {
    for (const auto& r : rows) {
      const int row = RowCount();
      ASSERT_TRUE(InsertFileRow(List(), row, r.first.c_str(), static_cast<int>(r.second)));
      SetCellText(List(), row, kPathColumn, ("C:\\" + r.first).c_str());
      tagOf_[r.first] = r.second;
    }
  }
  // Ascending, then descending: every row keeps its path and its own tag.
  void ExpectSortsKeepRowsWhole() {
    for (bool descending : {false, true}) {
      ClickColumn(0);
      Texts names = Column(0), sorted = names;
      std::sort(sorted.begin(), sorted.end());
      if (descending) std::reverse(sorted.begin(), sorted.end());
      EXPECT_EQ(names, sorted);
      for (int r = 0; r < RowCount(); ++r) {
        EXPECT_EQ(Tag(r), tagOf_.at(Cell(r, 0))) << Cell(r, 0);
        EXPECT_EQ(Cell(r, kPathColumn), "C:\\" + Cell(r, 0));
      }
    }
  }
  std::map<std::string, LPARAM> tagOf_;

  void CountListPaints() {
    mainProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(main_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingMainProc)));
  }
  // Whether the list paints when told to, as after any change it shows.
  bool ListRepaints() {
    listPaints = 0;
    InvalidateRect(List(), nullptr, TRUE);
    UpdateWindow(List());
    return listPaints > 0;
  }
};

// --- Rows and cells ---

TEST_F(PerfTest, EveryCellIsWhatThePlainWayGives) {
  TempTree t;
  BuildMixedTree(t);
  // Held without sharing: neither the quick look at its first bytes nor the platform can read it.
  HANDLE held = CreateFileA((t.Root() + "\\sub1\\deep\\setup.EXE").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const Rows expected = PlainRows(t.Root());
  Scan(t.Root());
  const Rows listed = AllRows();
  CloseHandle(held);

  ASSERT_EQ(listed.size(), expected.size());
  for (std::size_t r = 0; r < listed.size(); ++r) EXPECT_EQ(listed[r], expected[r]) << "row " << r;
  EXPECT_EQ(StatusText(), FormatProgress(RowCount(), RowCount()));

  // The programs under any name show their version strings; the look-alikes show none.
  std::map<std::string, Texts> byName;
  for (const Texts& row : listed) byName[row[0]] = row;
  EXPECT_NE(byName.at("prog.bin")[9], " ");
  EXPECT_NE(byName.at("viewer.dat")[9], " ");
  EXPECT_EQ(byName.at("fake.exe")[9], " ");
  EXPECT_EQ(byName.at("mz.exe")[9], " ");
  EXPECT_EQ(byName.count("never.txt"), 0u);
}

TEST_F(PerfTest, SeveralPatternsListInThePlainOrder) {
  TempTree t;
  BuildMixedTree(t);
  lstrcpyA(settings.filter, "*.txt;*.exe;*.QZX;no*");
  const Rows expected = PlainRows(t.Root());
  Scan(t.Root());
  EXPECT_EQ(AllRows(), expected);
  EXPECT_EQ(StatusText(), FormatProgress(RowCount(), RowCount()));
}

TEST_F(PerfTest, SecondScanAsksTheShellAgain) {
  TempTree t;
  t.File("a.txt");
  t.File("b.qzx");
  Scan(t.Root());
  const Rows first = AllRows();
  Scan(t.Root());
  EXPECT_EQ(AllRows(), first);
  EXPECT_EQ(AllRows(), PlainRows(t.Root()));
}

// --- The status bar ---

TEST_F(PerfTest, ScanListingNothingLeavesTheLastCountedFolderShown) {
  TempTree t;
  BuildMixedTree(t);
  lstrcpyA(settings.filter, "*.nothing");
  Texts folders;
  PlainRows(t.Root(), &folders);
  Scan(t.Root());
  EXPECT_EQ(RowCount(), 0);
  EXPECT_EQ(StatusText(), folders.back());
}

TEST_F(PerfTest, HandlersDuringAScanSeeTheCurrentStatus) {
  TempTree t;
  BuildMixedTree(t);
  Texts folders;
  const int files = static_cast<int>(PlainRows(t.Root(), &folders).size());
  const int count = static_cast<int>(folders.size());
  ScanProbe probe;
  std::string counting, listing;
  int rowsThen = -1;
  probe.Then([&] { counting = StatusText(); });  // after the top folder's files are counted
  probe.Skip(count - 1);
  probe.Skip(1);                                      // the top folder of the listing pass
  probe.Then([&] {                                    // the second folder listed
    listing = StatusText();
    rowsThen = RowCount();
  });
  Scan(t.Root());
  EXPECT_EQ(probe.Pending(), 0);
  EXPECT_EQ(counting, folders[0]);
  ASSERT_GT(rowsThen, 0);
  EXPECT_EQ(listing, FormatProgress(rowsThen, files));
  EXPECT_EQ(StatusText(), FormatProgress(files, files));
}

// --- The list repaints once the scan is over, whatever happened during it ---

TEST_F(PerfTest, ListRepaintsAfterAPlainScan) {
  TempTree t;
  BuildMixedTree(t);
  CountListPaints();
  Scan(t.Root());
  EXPECT_TRUE(ListRepaints());
}

TEST_F(PerfTest, ListRepaintsAfterASortAndADeletionDuringTheScan) {
  TempTree t;
  BuildMixedTree(t);
  Texts folders;
  const int files = static_cast<int>(PlainRows(t.Root(), &folders).size());
  CountListPaints();
  ScanProbe probe;
  probe.Skip(static_cast<int>(folders.size()) + 1);
  bool paintedDuringTheSort = false;
  probe.Then([&] {
    ClickColumn(kPathColumn);
    paintedDuringTheSort = ListRepaints();
  });
  probe.Then([&] {
    LVITEMA item = {};
    item.stateMask = item.state = LVIS_SELECTED;
    SendMessageA(List(), LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item));
    SendMessageA(List(), WM_KEYDOWN, VK_DELETE, 0);
  });
  Scan(t.Root());
  EXPECT_EQ(probe.Pending(), 0);
  EXPECT_TRUE(paintedDuringTheSort);
  EXPECT_EQ(RowCount(), files - 1);
  EXPECT_TRUE(ListRepaints());
}

TEST_F(PerfTest, DialogOpenedDuringTheScanHasTheListRepainting) {
  TempTree t;
  BuildMixedTree(t);
  Texts folders;
  PlainRows(t.Root(), &folders);
  CountListPaints();
  ScanProbe probe;
  probe.Skip(static_cast<int>(folders.size()) + 1);
  bool paintedUnderTheDialog = false;
  DialogWatcher watcher([&](HWND dialog) {
    paintedUnderTheDialog = ListRepaints();
    PressDialogButton(dialog, IDCANCEL);
  });
  probe.Then([&] { SendMessageA(main_, WM_LBUTTONDBLCLK, 0, MAKELPARAM(3, 3)); });  // the colour picker
  Scan(t.Root());
  EXPECT_TRUE(watcher.Seen());
  EXPECT_TRUE(paintedUnderTheDialog);
  EXPECT_TRUE(ListRepaints());
}

TEST_F(PerfTest, ClosingTheWindowDuringTheListingEndsTheScan) {
  TempTree t;
  BuildMixedTree(t);
  Texts folders;
  PlainRows(t.Root(), &folders);
  ScanProbe probe;
  probe.Skip(static_cast<int>(folders.size()) + 1);
  probe.Then([&] { SendMessageA(main_, WM_CLOSE, 0, 0); });
  Scan(t.Root());
  EXPECT_EQ(MainWindow(), nullptr);
  EXPECT_EQ(FileListControl(), nullptr);
  MSG msg;
  EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit request is kept for the loop";
}

// --- Column widths ---

TEST_F(PerfTest, AutoWidthAtTheEndOfAScanGivesTheControlsOwnWidths) {
  TempTree t;
  BuildMixedTree(t);
  settings.autoWidth = 1;
  const std::vector<int> before = Widths();
  Scan(t.Root());
  const std::vector<int> ours = Widths();
  EXPECT_NE(ours, before);
  EXPECT_EQ(ours, ControlsOwnWidths(before));
}

TEST_F(PerfTest, SizingFindsTheWidestCellAmongNarrowAndWideCharacters) {
  // Per column: many narrow characters against few wide ones, full-width against half-width,
  // a cell longer than the control measures, and more distinct texts than are kept as the widest.
  const Texts shapes = {"iiiiiiiiiiiiiiiiiiiiiiii", "WWWWWWWWWWWWW", "表表表表表表表表", "ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿ",
                        "", " ", std::string(300, 'm') + "X", "mixed 表 text ﾃｷｽﾄ W i",
                        "11111111111111111111", "WiWiWiWiWiWiWiW", "ああああああ", "...................."};
  for (int r = 0; r < 36; ++r) {
    const std::string name = shapes[r % shapes.size()] + std::to_string(r);
    ASSERT_TRUE(InsertFileRow(List(), r, name.c_str(), r));
    for (int c = 1; c < kColumnCount; ++c) {
      const std::string& cell = shapes[(r + c) % shapes.size()];
      SetCellText(List(), r, c, cell.c_str());
    }
  }
  const std::vector<int> before = Widths();
  SizeColumnsToContent(List());
  const std::vector<int> ours = Widths();
  EXPECT_EQ(ours, ControlsOwnWidths(before));
}

TEST_F(PerfTest, SizingAnEmptyListGivesTheHeadersWidths) {
  const std::vector<int> before = Widths();
  SizeColumnsToContent(List());
  const std::vector<int> ours = Widths();
  EXPECT_EQ(ours, ControlsOwnWidths(before));
}

// --- Sorting keeps every row whole, whatever its tag ---

TEST_F(PerfTest, SortKeepsRowsWholeWithFarApartTags) {
  AddTaggedRows({{"delta", LONG_MAX}, {"alpha", 1000000000}, {"echo", -7}, {"charlie", LONG_MIN}, {"foxtrot", 0}});
  ExpectSortsKeepRowsWhole();
}

TEST_F(PerfTest, SortKeepsRowsWholeWithTagsRepeatedAtTheTopOfTheRange) {
  AddTaggedRows({{"delta", LONG_MAX}, {"alpha", 3}, {"echo", LONG_MAX}, {"bravo", 3}, {"golf", LONG_MIN}});
  ExpectSortsKeepRowsWhole();
}

TEST_F(PerfTest, SortKeepsUniqueTagsWithTheirRows) {
  const char* names[] = {"m", "c", "x", "a", "q", "b"};
  for (int r = 0; r < 6; ++r) ASSERT_TRUE(InsertFileRow(List(), r, names[r], 100 + 3 * r));
  ClickColumn(0);
  EXPECT_EQ(Column(0), (Texts{"a", "b", "c", "m", "q", "x"}));
  const std::map<std::string, LPARAM> expected = {{"m", 100}, {"c", 103}, {"x", 106},
                                                  {"a", 109}, {"q", 112}, {"b", 115}};
  for (int r = 0; r < RowCount(); ++r) EXPECT_EQ(Tag(r), expected.at(Cell(r, 0)));
}

}  // namespace
