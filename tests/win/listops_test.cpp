// Sorting, saving, opening and deleting the rows of a real list view.
#include "support/Support.h"

#include <dlgs.h>

#include <algorithm>
#include <filesystem>

#include "common/CodePage932.h"
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

// A row put in directly, its cells from column 0 on; the others stay empty.
static void AddRow(HWND list, const Texts& cells) {
  const int row = RowCount(list);
  ASSERT_TRUE(InsertFileRow(list, row, cells[0].c_str()));
  for (size_t c = 1; c < cells.size(); ++c) SetCellText(list, row, static_cast<int>(c), cells[c].c_str());
}

TEST(ListOps, SizesOfFilesOver4GiBSortByNumber) {
  TempTree t;  // eleven digits: as text, 12345678901 would come before 9999999999
  ASSERT_TRUE(HostShell("cd '" + HostPath(t.Root()) + "' && truncate -s 12345678901 a && truncate -s 9 b && " +
                        "truncate -s 9999999999 c"));
  Host host;
  host.Scan(t.Root());
  SortByColumn(host.list, kSizeColumn);
  EXPECT_EQ(ColumnTexts(host.list, kSizeColumn), Texts({"         9", "9999999999", "12345678901"}));
  EXPECT_EQ(ColumnTexts(host.list, kNameColumn), Texts({"b", "c", "a"}));
}

TEST(ListOps, SortingMovesWholeRowsStablyWithTheirSelectionAndFocus) {
  Host host;
  for (const char* row : {"m1", "z2", "b3", "y4", "b5"}) AddRow(host.list, {std::string(1, row[0]), row});
  SelectRows(host.list, {0, 3});  // m and y, the focus on m
  Focus(host.list, 0);
  SortByColumn(host.list, kNameColumn);
  EXPECT_EQ(ColumnTexts(host.list, 1), Texts({"b3", "b5", "m1", "y4", "z2"}));
  SortByColumn(host.list, kNameColumn);  // descending; the two b rows still in their order
  EXPECT_EQ(ColumnTexts(host.list, 1), Texts({"z2", "y4", "m1", "b3", "b5"}));
  EXPECT_EQ(SelectedRows(host.list), std::vector<int>({1, 2}));
  EXPECT_EQ(FocusedRow(host.list), 2);
  Host two;  // two rows sort too
  for (const char* name : {"b", "a"}) AddRow(two.list, {name});
  SortByColumn(two.list, kNameColumn);
  EXPECT_EQ(ColumnTexts(two.list, kNameColumn), Texts({"a", "b"}));
}

TEST(ListOps, TypingTheStartOfANameSelectsTheNextRowWithIt) {
  Host host;
  for (const char* name : {"表表表", "Banana", "berry"}) AddRow(host.list, {name});
  for (const auto& [key, row] : {std::pair{'b', 1}, {'e', 2}, {'x', 2}}) {  // typed quickly: "b", "be", "bex"
    SendMessageA(host.list, WM_CHAR, key, 1);                                // a repeat count of 1
    EXPECT_EQ(SelectedRows(host.list), std::vector<int>({row})) << key;
  }
}

// Every character code page 932 writes (as a name reaches it) and its upper case as Windows makes
// it fold alike, so that a comparison takes names in either case for one, as Windows does.
TEST(ListOps, NamesFoldToUpperCaseAsWindowsFoldsEveryCharacterOfCodePage932) {
  std::string differ;
  for (int code = 0x20; code < 0x10000; ++code) {
    const std::string c = code < 0x100 ? std::string(1, char(code)) : std::string{char(code >> 8), char(code & 0xFF)};
    wchar_t w = 0;
    char back[2];
    BOOL lost = FALSE;
    if (IsDBCSLeadByteEx(932, c[0]) != (c.size() == 2) || MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, c.data(),
        int(c.size()), &w, 1) != 1 || WideCharToMultiByte(932, 0, &w, 1, back, 2, nullptr, nullptr) != int(c.size()) ||
        std::string(back, c.size()) != c) continue;  // no character, or not the form a name takes
    CharUpperBuffW(&w, 1);
    const int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &w, 1, back, 2, nullptr, &lost);
    if (!lost && UpperCase932(c) != UpperCase932(std::string(back, n))) differ += c + " ";
  }
  EXPECT_EQ(differ, "");
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

TEST(ListOps, AnExportOfSeveralWritesHoldsEachRowOnceAndOneThatDoesNotFitLeavesTheOldFile) {
  Host host;
  std::string line = "\"" + std::string(1000, 'x') + "\"", all;  // 100 lines, 105,200 bytes
  for (int c = 1; c < kColumnCount; ++c) line += ",\"\"";
  for (int r = 0; r < 100; ++r) AddRow(host.list, {std::string(1000, 'x')}), all += line + "\r\n";
  TempTree t;
  ASSERT_TRUE(WriteListAsCsv(host.list, Wide(t.Root() + "\\list.csv").c_str(), CsvEncoding::Cp932));
  EXPECT_TRUE(ReadBytes(t.Root() + "\\list.csv") == all) << ReadBytes(t.Root() + "\\list.csv").size() << " bytes";
  // A 64 KiB tmpfs with 8 KiB free and an earlier export, unmounted even when the test fails.
  const std::string small = HostPath(t.Dir("small"));
  HostShell("mount -t tmpfs -o size=64k tmpfs '" + small + "' && head -c 57344 /dev/zero > '" + small +
            "/fill' && printf 'old\\r\\n' > '" + small + "/out.csv'");
  struct Unmount {
    std::string at;
    ~Unmount() { HostShell("mountpoint -q '" + at + "' && umount -l '" + at + "'"); }
  } unmount{small};
  if (GetFileAttributesA((t.Root() + "\\small\\fill").c_str()) == INVALID_FILE_ATTRIBUTES)
    GTEST_SKIP() << "no tmpfs could be mounted here (mounting needs root)";
  EXPECT_FALSE(WriteListAsCsv(host.list, Wide(t.Root() + "\\small\\out.csv").c_str(), CsvEncoding::Cp932));
  EXPECT_EQ(ReadBytes(t.Root() + "\\small\\out.csv"), "old\r\n");
  const std::filesystem::directory_iterator left(t.Root() + "\\small");  // and nothing else is left behind
  EXPECT_EQ(std::distance(left, {}), 2);
}

static std::vector<std::wstring> opened;
static HINSTANCE WINAPI RecordOpen(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR folder, INT show) {
  opened.push_back(std::wstring(owner ? L"owner " : L"") + verb + L" " + file + parameters + folder + std::to_wstring(show));
  return reinterpret_cast<HINSTANCE>(33);
}

// A row whose name code page 932 lacks a character of: its 932 cells hold '?' there, which sorts
// and saves as such; the list, the UTF-8 export and Enter have the name as it is. Enter opens the
// selected rows' files, top to bottom.
TEST(ListOps, ANameCodePage932LacksShowsWholeSortsAndSavesAsQuestionMarksOrWholeInUtf8AndOpensAsItIs) {
  Host host;
  for (const char* name : {"cafe.txt", "caf?.txt", "cafA.txt"}) AddRow(host.list, {name}),
      SetCellText(host.list, RowCount(host.list) - 1, kPathColumn, (std::string("C:\\R?sum?\\") + name).c_str());
  SetRealPath(host.list, 1, L"C:\\R\xE9sum\xE9\\caf\xE9.txt");
  SortByColumn(host.list, kNameColumn);  // '?' before 'A' before 'e'
  wchar_t shown[64] = L"";
  LVITEMW item = {0, 0, kNameColumn, 0, 0, shown, 64};
  SendMessageW(host.list, LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_STREQ(shown, L"caf\xE9.txt");
  TempTree t;
  ASSERT_TRUE(WriteListAsCsv(host.list, Wide(t.Root() + "\\932.csv").c_str(), CsvEncoding::Cp932));
  ASSERT_TRUE(WriteListAsCsv(host.list, Wide(t.Root() + "\\utf8.csv").c_str(), CsvEncoding::Utf8));
  std::string none;  // the cells between name and path
  for (int c = 1; c < kPathColumn; ++c) none += ",\"\"";
  const auto line = [&](const std::string& name, const std::string& folder) {
    return "\"" + name + "\"" + none + ",\"C:\\" + folder + "\\" + name + "\"\r\n";
  };
  EXPECT_EQ(ReadBytes(t.Root() + "\\932.csv"), line("caf?.txt", "R?sum?") + line("cafA.txt", "R?sum?") + line("cafe.txt", "R?sum?"));
  EXPECT_EQ(ReadBytes(t.Root() + "\\utf8.csv"), "\xEF\xBB\xBF" + line(u8"caf\u00E9.txt", u8"R\u00E9sum\u00E9") +
                                                     line("cafA.txt", "R?sum?") + line("cafe.txt", "R?sum?"));
  SelectRows(host.list, {2, 0});  // opened top to bottom
  OpenSelectedRows(host.window, host.list, RecordOpen);
  EXPECT_EQ(opened, std::vector<std::wstring>({L"owner open C:\\R\xE9sum\xE9\\caf\xE9.txt1", L"owner open C:\\R?sum?\\cafe.txt1"}));
}

TEST(ListOps, DeleteRemovesExactlyTheSelectedRowsKeepsTheRestWholeAndPaintsAgain) {
  const struct { const char* what; std::function<bool(int)> chosen; } cases[] = {
      {"none", [](int) { return false; }}, {"first", [](int r) { return r == 0; }},
      {"last", [](int r) { return r == 299; }}, {"runs", [](int r) { return (r >= 10 && r < 60) || r >= 290; }},
      {"every second", [](int r) { return r % 2 == 1; }}, {"scattered", [](int r) { return r % 7 == 3 || r % 11 == 0; }},
      {"all", [](int) { return true; }}};
  for (const auto& c : cases) {
    Host host;
    Texts kept;
    std::vector<int> selected;
    SendMessageA(host.list, WM_SETREDRAW, FALSE, 0);  // filled quickly
    for (int r = 0; r < 300; ++r) {
      const std::string name = "行" + std::to_string(r);
      AddRow(host.list, {name});
      if (c.chosen(r)) selected.push_back(r);
      else kept.push_back(name);
    }
    SendMessageA(host.list, WM_SETREDRAW, TRUE, 0);
    SelectRows(host.list, selected);
    Focus(host.list, 150);  // kept or not: a kept row keeps it
    const auto focused = std::find(kept.begin(), kept.end(), "行150");
    SendMessageA(host.list, LVM_ENSUREVISIBLE, 299, FALSE);
    SendMessageA(host.list, LVM_ENSUREVISIBLE, 200, FALSE);  // row 200 at the top of the view
    ASSERT_EQ(200, SendMessageA(host.list, LVM_GETTOPINDEX, 0, 0));
    int top = 200;  // the rows in view stay where they were, less the rows gone above them
    for (int r = 0; r < 200 && !kept.empty(); ++r) top -= c.chosen(r);
    UpdateWindow(host.list);
    Host::listPaints = 0;
    DeleteSelectedRows(host.list);
    UpdateWindow(host.list);
    EXPECT_EQ(Host::listPaints > 0, !selected.empty()) << c.what << ": paints " << Host::listPaints;
    EXPECT_EQ(ColumnTexts(host.list, kNameColumn), kept) << c.what;
    EXPECT_EQ(SelectedRows(host.list), std::vector<int>()) << c.what;
    EXPECT_EQ(FocusedRow(host.list), focused == kept.end() ? -1 : focused - kept.begin()) << c.what;
    EXPECT_EQ(kept.empty() ? 0 : top, SendMessageA(host.list, LVM_GETTOPINDEX, 0, 0)) << c.what;
  }
}
