#include "support/WinTestSupport.h"
#include "support/ListOpsSupport.h"

#include <commctrl.h>
#include <dlgs.h>

#include <algorithm>
#include <map>
#include <memory>

#include "listops/ColumnSort_win.h"
#include "listops/CsvExport_win.h"
#include "listops/RowActions_win.h"
#include "resource.h"
#include "scan/FileCells.h"
#include "scan/FileList_win.h"
#include "scan/ScanDriver_win.h"
#include "settings/SettingsFile_win.h"

using Texts = std::vector<std::string>;

namespace {

struct ShellCall {
  HWND owner;
  std::string verb, file, parameters, directory;
  int show;
};
std::vector<ShellCall> shellCalls;

HINSTANCE WINAPI RecordShellCall(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                                 INT show) {
  shellCalls.push_back({owner, verb ? verb : "<null>", file ? file : "<null>", parameters ? parameters : "<null>",
                        directory ? directory : "<null>", show});
  return reinterpret_cast<HINSTANCE>(33);
}

std::vector<std::string> SplitLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(bytes.substr(start, end - start));
  if (start < bytes.size()) lines.push_back(bytes.substr(start));  // an unterminated rest
  return lines;
}

std::string QuotedJoin(const Texts& cells) {
  std::string line;
  for (const std::string& cell : cells) line += (line.empty() ? "\"" : ",\"") + cell + "\"";
  return line;
}

// A file of the given size without writing its bytes (sparse on the host).
void MakeFileOfSize(const std::string& path, long long size) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  LARGE_INTEGER at;
  at.QuadPart = size;
  EXPECT_TRUE(SetFilePointerEx(h, at, nullptr, FILE_BEGIN));
  EXPECT_TRUE(SetEndOfFile(h));
  CloseHandle(h);
}

}  // namespace

class ListOpsTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    CreateApp();
    shellCalls.clear();
  }
  void TearDown() override {
    SetShellOpenForTest(nullptr);
    // The Save dialog moves the current folder into the temp tree.
    SetCurrentDirectoryA(ExeFolder().c_str());
    AppTest::TearDown();
  }


  // The list turns the key into its own notification to the main window.
  void PressKey(WORD key) { SendMessageA(List(), WM_KEYDOWN, key, 0); }

  void Select(std::initializer_list<int> rows) {
    for (int row : rows) {
      LVITEMA item = {};
      item.stateMask = LVIS_SELECTED;
      item.state = LVIS_SELECTED;
      SendMessageA(List(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    }
  }

  // A row put in directly: cells beyond those given read "c<column>".
  void AddRow(const Texts& cells) {
    const int row = RowCount();
    ASSERT_TRUE(InsertFileRow(List(), row, cells[0].c_str(), row));
    for (int c = 1; c < kColumnCount; ++c) {
      const std::string text = c < static_cast<int>(cells.size()) ? cells[c] : "c" + std::to_string(c);
      SetCellText(List(), row, c, text.c_str());
    }
  }

  // Runs Save, naming path in the dialog; then answers the overwrite question if one is due,
  // and runs the further steps on the boxes that follow.
  std::unique_ptr<DialogScript> SaveThroughDialog(const std::string& path, bool overwrite,
                                                  std::vector<std::function<void(HWND)>> more = {}) {
    std::vector<std::function<void(HWND)>> steps = {[path](HWND dialog) {
      SetWindowTextA(FileNameField(dialog), path.c_str());
      PressDialogButton(dialog, IDOK);
    }};
    if (overwrite) steps.push_back([](HWND box) { PressDialogButton(box, IDYES); });
    for (auto& step : more) steps.push_back(step);
    auto script = std::make_unique<DialogScript>(steps);
    Command(IDM_SAVE);
    return script;
  }
};

// --- Sorting by a column ---

TEST_F(ListOpsTest, RepeatedClicksOnAColumnAlternateAscendingAndDescending) {
  TempTree t;
  t.File("b.txt");
  t.File("c.txt");
  t.File("a.txt");
  Scan(t.Root());
  ClickColumn(0);
  EXPECT_EQ(Column(0), (Texts{"a.txt", "b.txt", "c.txt"}));
  ClickColumn(0);
  EXPECT_EQ(Column(0), (Texts{"c.txt", "b.txt", "a.txt"}));
  ClickColumn(0);
  EXPECT_EQ(Column(0), (Texts{"a.txt", "b.txt", "c.txt"}));
}

TEST_F(ListOpsTest, EveryColumnKeepsItsOwnDirection) {
  TempTree t;
  t.File("a.txt", std::string(30, 'x'));
  t.File("b.txt", std::string(10, 'x'));
  t.File("c.txt", std::string(20, 'x'));
  Scan(t.Root());
  ClickColumn(0);
  EXPECT_EQ(Column(0), (Texts{"a.txt", "b.txt", "c.txt"}));
  ClickColumn(2);
  EXPECT_EQ(Column(0), (Texts{"b.txt", "c.txt", "a.txt"}));
  ClickColumn(0);
  EXPECT_EQ(Column(0), (Texts{"c.txt", "b.txt", "a.txt"}));
}

TEST_F(ListOpsTest, FirstClickAfterAScanSortsAscending) {
  TempTree t;
  t.File("a.txt");
  t.File("b.txt");
  Scan(t.Root());
  ClickColumn(0);
  ClickColumn(0);
  ASSERT_EQ(Column(0), (Texts{"b.txt", "a.txt"}));
  Scan(t.Root());
  ClickColumn(0);
  EXPECT_EQ(Column(0), (Texts{"a.txt", "b.txt"}));
}

TEST_F(ListOpsTest, NamesSortByByteValueWithUpperCaseFirst) {
  TempTree t;
  t.File("x\\a.txt");
  t.File("y\\A.TXT");
  t.File("alpha.txt");
  t.File("Zeta.txt");
  t.File("_u.txt");
  Scan(t.Root());
  ClickColumn(0);
  EXPECT_EQ(Column(0), (Texts{"A.TXT", "Zeta.txt", "_u.txt", "a.txt", "alpha.txt"}));
}

TEST_F(ListOpsTest, SizesSortByNumberUpAndDown) {
  TempTree t;
  t.File("hundred", std::string(100, 'x'));
  t.File("nine", std::string(9, 'x'));
  MakeFileOfSize(t.Root() + "\\huge", 3000000000LL);
  t.File("ten", std::string(10, 'x'));
  Scan(t.Root());
  ASSERT_EQ(RowCount(), 4);
  ClickColumn(2);
  EXPECT_EQ(Column(0), (Texts{"nine", "ten", "hundred", "huge"}));
  EXPECT_EQ(Column(2), (Texts{FormatSize(9), FormatSize(10), FormatSize(100), FormatSize(3000000000ULL)}));
  ClickColumn(2);
  EXPECT_EQ(Column(0), (Texts{"huge", "hundred", "ten", "nine"}));
}

TEST_F(ListOpsTest, UnknownTimeComesFirstAscendingAndLastDescending) {
  TempTree t;
  t.File("a.txt");
  t.File("b.txt");
  t.File("c.txt");
  Scan(t.Root());
  const std::string unknownName = Cell(1, 0);
  SetCellText(List(), 1, 3, "(不明)");
  ClickColumn(3);
  EXPECT_EQ(Cell(0, 3), "(不明)");
  EXPECT_EQ(Cell(0, 0), unknownName);
  ClickColumn(3);
  EXPECT_EQ(Cell(2, 3), "(不明)");
  EXPECT_EQ(Cell(2, 0), unknownName);
}

TEST_F(ListOpsTest, LongCellsCompareBeyondTheirFirst255Bytes) {
  const std::string common = "C:\\" + std::string(300, 'd') + "\\";
  AddRow({"b", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", common + "b"});
  AddRow({"a", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", common + "a"});
  ClickColumn(16);
  EXPECT_EQ(Column(0), (Texts{"a", "b"}));
}

TEST_F(ListOpsTest, EqualKeysKeepTheirPreviousOrder) {
  // Column 0 is the key under test, column 1 the earlier sort that must survive as tie-breaker.
  AddRow({"x", "3"});
  AddRow({"y", "1"});
  AddRow({"x", "2"});
  AddRow({"y", "5"});
  AddRow({"x", "4"});
  ClickColumn(1);
  EXPECT_EQ(Column(1), (Texts{"1", "2", "3", "4", "5"}));
  ClickColumn(0);
  EXPECT_EQ(Column(0), (Texts{"x", "x", "x", "y", "y"}));
  EXPECT_EQ(Column(1), (Texts{"2", "3", "4", "1", "5"}));
  ClickColumn(0);
  EXPECT_EQ(Column(0), (Texts{"y", "y", "x", "x", "x"}));
  EXPECT_EQ(Column(1), (Texts{"1", "5", "2", "3", "4"}));
}

TEST_F(ListOpsTest, RowsWithRepeatedTagsStayWholeThroughASort) {
  TempTree first, second;
  for (const char* name : {"d.txt", "b.txt", "f.txt", "h.txt"}) first.File(name, name);
  for (const char* name : {"a.txt", "c.txt", "e.txt"}) second.File(name, name);
  settings.clearFirst = 0;
  Scan(first.Root());
  Select({1});
  PressKey(VK_DELETE);
  Scan(second.Root());
  ASSERT_EQ(RowCount(), 6);
  EXPECT_EQ(StatusText(), "6/6件");

  std::map<LPARAM, int> tagUses;
  std::map<std::string, std::pair<Texts, LPARAM>> before;  // by path
  for (int r = 0; r < RowCount(); ++r) {
    ++tagUses[Tag(r)];
    before[Cell(r, 16)] = {Row(r), Tag(r)};
  }
  ASSERT_LT(tagUses.size(), 6u) << "the second scan should reuse a tag";

  const struct {
    int column;
    bool descending;
  } clicks[] = {{0, false}, {16, false}, {0, true}};
  for (const auto& click : clicks) {
    ClickColumn(click.column);
    const Texts keys = Column(click.column);
    Texts expected = keys;
    std::sort(expected.begin(), expected.end());
    if (click.descending) std::reverse(expected.begin(), expected.end());
    EXPECT_EQ(keys, expected) << "column " << click.column;
    for (int r = 0; r < RowCount(); ++r) {
      const auto& original = before.at(Cell(r, 16));
      EXPECT_EQ(Row(r), original.first) << "row " << r;
      EXPECT_EQ(Tag(r), original.second) << "row " << r;
    }
  }
}

// --- Delete and Enter on selected rows ---

TEST_F(ListOpsTest, DeleteRemovesTheSelectedRowsAndKeepsTheOthersInOrder) {
  TempTree t;
  for (int i = 0; i < 10; ++i) t.File("f" + std::to_string(i) + ".txt");
  Scan(t.Root());
  ASSERT_EQ(RowCount(), 10);
  Texts expected = Column(16);
  expected.erase(expected.begin() + 5);
  expected.erase(expected.begin() + 2);
  Select({2, 5});
  PressKey(VK_DELETE);
  EXPECT_EQ(Column(16), expected);
  EXPECT_EQ(StatusText(), "8/8件");
  EXPECT_EQ(itemCounter, 8);
  EXPECT_EQ(totalCount, 8);
}

TEST_F(ListOpsTest, DeleteWithNothingSelectedStillSetsTheCounts) {
  PressKey(VK_DELETE);
  EXPECT_EQ(StatusText(), "0/0件");

  TempTree t;
  t.File("a.txt");
  t.File("b.txt");
  Scan(t.Root());
  itemCounter = totalCount = 99;
  PressKey(VK_DELETE);
  EXPECT_EQ(RowCount(), 2);
  EXPECT_EQ(StatusText(), "2/2件");
  EXPECT_EQ(itemCounter, 2);
}

TEST_F(ListOpsTest, OtherKeysLeaveSelectedRowsAlone) {
  TempTree t;
  t.File("a.txt");
  t.File("b.txt");
  Scan(t.Root());
  SetShellOpenForTest(RecordShellCall);
  Select({0, 1});
  for (WORD key : {WORD(VK_BACK), WORD(VK_SPACE), WORD('D'), WORD(VK_INSERT)}) PressKey(key);
  EXPECT_EQ(RowCount(), 2);
  EXPECT_TRUE(shellCalls.empty());
}

TEST_F(ListOpsTest, EnterOpensEverySelectedFileFromTheTop) {
  TempTree t;
  for (int i = 0; i < 10; ++i) t.File("f" + std::to_string(i) + ".txt");
  Scan(t.Root());
  SetShellOpenForTest(RecordShellCall);
  Select({7, 1, 4});
  PressKey(VK_RETURN);
  ASSERT_EQ(shellCalls.size(), 3u);
  const int rows[] = {1, 4, 7};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(shellCalls[i].file, Cell(rows[i], 16));
    EXPECT_EQ(shellCalls[i].owner, main_);
    EXPECT_EQ(shellCalls[i].verb, "open");
    EXPECT_EQ(shellCalls[i].parameters, "");
    EXPECT_EQ(shellCalls[i].directory, "");
    EXPECT_EQ(shellCalls[i].show, SW_SHOWNORMAL);
  }
  EXPECT_EQ(RowCount(), 10);
}

TEST_F(ListOpsTest, EnterWithNothingSelectedOpensNothing) {
  TempTree t;
  t.File("a.txt");
  Scan(t.Root());
  SetShellOpenForTest(RecordShellCall);
  PressKey(VK_RETURN);
  EXPECT_TRUE(shellCalls.empty());
}

// --- Saving the list ---

TEST_F(ListOpsTest, EveryRowBecomesOneQuotedLineEndingWithItsPath) {
  TempTree t;
  t.File("one.txt", "1");
  t.File("sub\\two.log", "22");
  t.File("three.dat", std::string(1234, 'x'));
  Scan(t.Root());
  ASSERT_EQ(RowCount(), 3);
  const std::string out = t.Root() + "\\list.csv";
  ASSERT_TRUE(WriteListAsCsv(List(), out.c_str()));
  const std::string bytes = ReadFileBytes(out);
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
  const std::vector<std::string> lines = SplitLines(bytes);
  ASSERT_EQ(lines.size(), 3u);
  for (int r = 0; r < 3; ++r) {
    EXPECT_EQ(lines[r], QuotedJoin(Row(r)));
    const std::string lastField = "\"" + Cell(r, 16) + "\"";
    EXPECT_EQ(lines[r].substr(lines[r].size() - lastField.size()), lastField);
  }
  EXPECT_NE(bytes.find("\"      1234\""), std::string::npos);
}

TEST_F(ListOpsTest, ExportFollowsTheSortedOrder) {
  TempTree t;
  t.File("small", "1");
  t.File("large", std::string(300, 'x'));
  t.File("medium", std::string(20, 'x'));
  Scan(t.Root());
  ClickColumn(2);
  ClickColumn(2);
  const std::string out = t.Root() + "\\sorted.csv";
  ASSERT_TRUE(WriteListAsCsv(List(), out.c_str()));
  const std::vector<std::string> lines = SplitLines(ReadFileBytes(out));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].substr(0, 8), "\"large\",");
  EXPECT_EQ(lines[1].substr(0, 9), "\"medium\",");
  EXPECT_EQ(lines[2].substr(0, 8), "\"small\",");
}

TEST_F(ListOpsTest, QuotesInACellAreDoubledAndLongCellsKeptWhole) {
  const std::string longText(300, 'v');
  AddRow({"name", "", "", "", "", "", "", "", "say \"hi\"", longText});
  TempTree t;
  const std::string out = t.Root() + "\\quotes.csv";
  ASSERT_TRUE(WriteListAsCsv(List(), out.c_str()));
  const std::string bytes = ReadFileBytes(out);
  EXPECT_NE(bytes.find(",\"say \"\"hi\"\"\",\"" + longText + "\","), std::string::npos) << bytes;
  EXPECT_EQ(SplitLines(bytes).size(), 1u);
}

TEST_F(ListOpsTest, SavingAnEmptyListEmptiesTheChosenFile) {
  TempTree t;
  const std::string out = t.File("old.csv", "old contents");
  auto script = SaveThroughDialog(out, true);
  EXPECT_EQ(script->Handled(), 2);
  EXPECT_NE(GetFileAttributesA(out.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(ReadFileBytes(out), "");
}

TEST_F(ListOpsTest, AFileHeldOpenByAnotherProgramIsReportedAndLeftAlone) {
  TempTree t;
  t.File("a.txt");
  Scan(t.Root());
  const std::string out = t.File("held.csv", "keep");
  HANDLE holder = CreateFileA(out.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(WriteListAsCsv(List(), out.c_str()));

  auto script = SaveThroughDialog(out, true, {[](HWND box) { PressDialogButton(box, IDOK); }});
  ASSERT_EQ(script->Handled(), 3);
  EXPECT_EQ(script->Titles()[2], "FILORA");
  EXPECT_EQ(script->Texts()[2], "ファイルに保存できませんでした。\r\n" + out);
  CloseHandle(holder);
  EXPECT_EQ(ReadFileBytes(out), "keep");
}

TEST_F(ListOpsTest, SecondSaveProposesTheFirstPath) {
  TempTree t;
  t.File("a.txt");
  Scan(t.Root());
  const std::string folder = t.Dir("exports");
  const std::string out = folder + "\\first.csv";
  SaveThroughDialog(out, false);
  EXPECT_EQ(SplitLines(ReadFileBytes(out)).size(), 1u);

  std::string proposedName, proposedFolder;
  DialogScript second({[&](HWND dialog) {
    char text[MAX_PATH] = "";
    GetWindowTextA(FileNameField(dialog), text, sizeof text);
    proposedName = text;
    proposedFolder = DialogItemText(dialog, cmb2);  // the "save in" box
    PressDialogButton(dialog, IDCANCEL);
  }});
  Command(IDM_SAVE);
  EXPECT_EQ(second.Handled(), 1);
  EXPECT_EQ(proposedName, "first.csv");
  EXPECT_EQ(proposedFolder, "exports");
}

TEST_F(ListOpsTest, CancellingTheSaveDialogWritesNothing) {
  TempTree t;
  t.File("a.txt");
  Scan(t.Root());
  const std::string out = t.File("kept.csv", "kept");
  DialogScript script({[&](HWND dialog) {
    SetWindowTextA(FileNameField(dialog), out.c_str());
    PressDialogButton(dialog, IDCANCEL);
  }});
  Command(IDM_SAVE);
  EXPECT_EQ(script.Handled(), 1);
  EXPECT_EQ(ReadFileBytes(out), "kept");
}
