// Sorting, saving and opening the rows of a real list view.
#include "support/Support.h"

#include <dlgs.h>

#include <algorithm>

#include "listops/ColumnSort_win.h"
#include "listops/CsvExport_win.h"
#include "listops/RowActions_win.h"
#include "scan/FileList_win.h"
#include "settings/SettingsFile_win.h"

using Texts = std::vector<std::string>;

static void Focus(HWND list, int row) {
  LVITEMA focus = {0, 0, 0, LVIS_FOCUSED, LVIS_FOCUSED};
  SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&focus));
}
static int FocusedRow(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, -1, LVNI_FOCUSED)); }

// A row put in directly, its cells from column 0 on; the others stay empty.
static void AddRow(HWND list, const Texts& cells) {
  const int row = RowCount(list);
  ASSERT_TRUE(InsertFileRow(list, row, cells[0].c_str()));
  for (size_t c = 1; c < cells.size(); ++c) SetCellText(list, row, static_cast<int>(c), cells[c].c_str());
}

TEST(ListOps, SizesSortByNumberNamesByTextAndTheSecondClickDescends) {
  TempTree t;
  // Eleven digits: as text, 12345678901 would come before 9999999999.
  ASSERT_TRUE(HostShell("cd '" + HostPath(t.Root()) + "' && truncate -s 12345678901 a.dat && truncate -s 9 b.dat && " +
                        "truncate -s 9999999999 c.dat"));
  Host host;
  host.Scan(t.Root());
  SortByColumn(host.list, kSizeColumn);
  EXPECT_EQ(ColumnTexts(host.list, kSizeColumn), Texts({"         9", "9999999999", "12345678901"}));
  EXPECT_EQ(ColumnTexts(host.list, kNameColumn), Texts({"b.dat", "c.dat", "a.dat"}));
  SortByColumn(host.list, kSizeColumn);
  EXPECT_EQ(ColumnTexts(host.list, kNameColumn), Texts({"a.dat", "c.dat", "b.dat"}));
  SortByColumn(host.list, kNameColumn);
  EXPECT_EQ(ColumnTexts(host.list, kNameColumn), Texts({"a.dat", "b.dat", "c.dat"}));
}

TEST(ListOps, RowsSortWholeAndStablyAfterDeletionsAndAppendingScans) {
  TempTree first, second;
  for (const char* name : {"m.txt", "s\\k.txt", "s\\t\\z.txt"}) first.File(name);  // one per folder: a known order
  for (const char* name : {"b.txt", "s\\y.txt"}) second.File(name);
  Host host;
  host.Scan(first.Root());
  SelectRows(host.list, {1});
  DeleteSelectedRows(host.list);
  settings.clearFirst = 0;
  host.Scan(second.Root());
  ASSERT_EQ(ColumnTexts(host.list, kNameColumn), Texts({"m.txt", "z.txt", "b.txt", "y.txt"}));
  SelectRows(host.list, {0, 3});  // selection and focus go with their rows
  Focus(host.list, 3);
  SortByColumn(host.list, kNameColumn);
  SortByColumn(host.list, kNameColumn);
  SortByColumn(host.list, kSizeColumn);  // all equal: the order stays
  EXPECT_EQ(ColumnTexts(host.list, kNameColumn), Texts({"z.txt", "y.txt", "m.txt", "b.txt"}));
  EXPECT_EQ(SelectedRows(host.list), std::vector<int>({1, 2}));
  EXPECT_EQ(FocusedRow(host.list), 1);
  EXPECT_EQ(ColumnTexts(host.list, kPathColumn), Texts({first.Root() + "\\s\\t\\z.txt", second.Root() + "\\s\\y.txt",
                                                        first.Root() + "\\m.txt", second.Root() + "\\b.txt"}));
}

TEST(ListOps, TheListShowsCellsOfWholeCharacters) {
  Host host;
  AddRow(host.list, {"表表表"});
  char text[8];
  for (int room : {6, 7}) {
    LVITEMA item = {0, 0, kNameColumn, 0, 0, text, room};
    const int length = static_cast<int>(SendMessageA(host.list, LVM_GETITEMTEXTA, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(std::string(text, length), room == 6 ? "表表" : "表表表");
  }
}

TEST(ListOps, TypingTheStartOfANameMovesToItsRow) {
  Host host;
  for (const char* name : {"apple", "Banana", "berry"}) AddRow(host.list, {name});
  for (const auto& [key, row] : {std::pair{'b', 1}, {'e', 2}, {'x', 2}}) {  // typed quickly: "b", "be", "bex"
    SendMessageA(host.list, WM_CHAR, key, 1);  // a repeat count of 1
    EXPECT_EQ(SelectedRows(host.list), std::vector<int>({row})) << key;
  }
}

TEST(ListOps, SaveThatCannotWriteTheChosenFileSaysSo) {
  Host host;
  AddRow(host.list, {"a.txt"});
  const std::string out = TempPath("missing") + "\\out.csv";
  DialogDriver dialogs([&](HWND dialog) {  // the Save dialog, then the message box
    SetDlgItemTextA(dialog, GetDlgItem(dialog, edt1) ? edt1 : cmb13, out.c_str());
    PressButton(dialog, IDOK);
    return true;
  });
  SaveListAsCsv(host.window, host.list);
  EXPECT_EQ(dialogs.Count(), 2);
  EXPECT_EQ(dialogs.Text(), "ファイルに保存できませんでした。\r\n" + out);
}

// A 64 KiB tmpfs with 8 KiB free on an empty folder while a test runs, unmounted even when it fails.
struct SmallDisk {
  explicit SmallDisk(const std::string& folder) : host(HostPath(folder)) {
    HostShell("mount -t tmpfs -o size=64k tmpfs '" + host + "' && head -c 57344 /dev/zero > '" + host + "/fill'");
  }
  ~SmallDisk() { HostShell("mountpoint -q '" + host + "' && umount -l '" + host + "'"); }
  const std::string host;
};

TEST(ListOps, ExportThatDoesNotFitFailsEvenWhenPartOfItWasWritten) {
  TempTree t;
  const std::string folder = t.Dir("small");
  SmallDisk disk(folder);
  if (GetFileAttributesA((folder + "\\fill").c_str()) == INVALID_FILE_ATTRIBUTES)
    GTEST_SKIP() << "no tmpfs could be mounted here (mounting needs root)";
  Host host;
  for (int r = 0; r < 20; ++r) AddRow(host.list, {std::string(1000, 'x')});  // over 20 000 bytes
  EXPECT_FALSE(WriteListAsCsv(host.list, (folder + "\\out.csv").c_str()));
  const size_t kept = ReadBytes(folder + "\\out.csv").size();
  EXPECT_TRUE(kept > 0 && kept < 20000) << kept << " bytes were written: some, not all, should have fit";
}

TEST(ListOps, ExportLongerThanOneWriteHoldsEachRowOnce) {
  Host host;
  for (int r = 0; r < 100; ++r) AddRow(host.list, {std::string(1000, 'x')});  // 105,200 bytes
  TempTree t;
  ASSERT_TRUE(WriteListAsCsv(host.list, (t.Root() + "\\list.csv").c_str()));
  std::string line = "\"" + std::string(1000, 'x') + "\"", all;
  for (int c = 1; c < kColumnCount; ++c) line += ",\"\"";
  for (int r = 0; r < 100; ++r) all += line + "\r\n";
  EXPECT_TRUE(ReadBytes(t.Root() + "\\list.csv") == all) << ReadBytes(t.Root() + "\\list.csv").size() << " bytes";
}

static HWND openOwner;
static Texts opened;
static HINSTANCE WINAPI RecordOpen(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder, INT show) {
  opened.push_back(std::string(owner == openOwner ? "owner " : "? ") + verb + " " + file + " [" + parameters + "][" +
                   folder + "] " + std::to_string(show));
  return reinterpret_cast<HINSTANCE>(33);
}

TEST(ListOps, OpenHandsTheSelectedRowsPathsOverTopToBottom) {
  Host host;
  for (const char* path : {"C:\\a.txt", "C:\\b.txt", "C:\\c.txt", "C:\\表.txt"}) {
    AddRow(host.list, {"name"});
    SetCellText(host.list, RowCount(host.list) - 1, kPathColumn, path);
  }
  SelectRows(host.list, {3, 1});
  openOwner = host.window;
  OpenSelectedRows(host.window, host.list, RecordOpen);
  EXPECT_EQ(opened, Texts({"owner open C:\\b.txt [][] 1", "owner open C:\\表.txt [][] 1"}));
}

TEST(ListOps, DeleteRemovesExactlyTheSelectedRowsKeepsTheRestWholeAndPaintsAgain) {
  const struct { const char* what; std::function<bool(int)> chosen; } cases[] = {
      {"none", [](int) { return false; }}, {"first", [](int r) { return r == 0; }},
      {"last", [](int r) { return r == 299; }}, {"runs", [](int r) { return (r >= 10 && r < 60) || r >= 290; }},
      {"every second", [](int r) { return r % 2 == 1; }}, {"scattered", [](int r) { return r % 7 == 3 || r % 11 == 0; }},
      {"all", [](int) { return true; }}};
  for (const auto& c : cases) {
    Host host;
    Texts names, kept;
    std::vector<int> selected;
    SendMessageA(host.list, WM_SETREDRAW, FALSE, 0);  // filled quickly
    for (int r = 0; r < 300; ++r) {
      names.push_back("行" + std::to_string(r));
      AddRow(host.list, {names.back()});
      SetCellText(host.list, r, kPathColumn, ("C:\\" + names.back()).c_str());
      if (c.chosen(r)) selected.push_back(r);
      else kept.push_back(names.back());
    }
    SendMessageA(host.list, WM_SETREDRAW, TRUE, 0);
    SelectRows(host.list, selected);
    Focus(host.list, 150);  // kept or not: a kept row keeps it
    const auto focused = std::find(kept.begin(), kept.end(), "行150");
    UpdateWindow(host.list);
    Host::listPaints = 0;
    DeleteSelectedRows(host.list);
    UpdateWindow(host.list);
    EXPECT_EQ(Host::listPaints > 0, !selected.empty()) << c.what << ": paints " << Host::listPaints;
    EXPECT_EQ(ColumnTexts(host.list, kNameColumn), kept) << c.what;
    for (std::string& name : kept) name = "C:\\" + name;
    EXPECT_EQ(ColumnTexts(host.list, kPathColumn), kept) << c.what;
    EXPECT_EQ(SelectedRows(host.list), std::vector<int>()) << c.what;
    EXPECT_EQ(FocusedRow(host.list), focused == kept.end() ? -1 : focused - kept.begin()) << c.what;
  }
}
