// The main window as the program runs it: how it ends and what it saves then, drops, and the
// gestures of its list (keys, the row menu, the clipboard).
#include "support/Support.h"  // first: it brings windows.h

#include <commctrl.h>
#include <dlgs.h>
#include <shlobj.h>

#include <algorithm>

#include "app/MainWindow_win.h"
#include "app/Startup_win.h"
#include "listops/RowCopy_win.h"
#include "listops/RowMenu_win.h"
#include "resource.h"
#include "scan/FileList_win.h"

// The program's main loop, given some 10 s: true once WM_QUIT reaches it.
static bool LoopUntilQuit() {
  const UINT_PTR timeOut = SetTimer(nullptr, 0, 10000, nullptr);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0 && !(msg.message == WM_TIMER && msg.wParam == timeOut))
    DispatchLoopMessage(msg);
  KillTimer(nullptr, timeOut);
  return msg.message == WM_QUIT;
}

class App : public ::testing::Test {
 protected:
  void Open(int show = SW_SHOWNORMAL) {
    static const bool ready = (InitCommonControls(), RegisterMainWindowClass(GetModuleHandleA(nullptr)));
    ASSERT_TRUE(ready);
    window = CreateMainWindow(GetModuleHandleA(nullptr), show, iniPath.c_str());
    folderBox = FindWindowExA(window, nullptr, "EDIT", nullptr);
    list = FindWindowExA(window, nullptr, WC_LISTVIEWA, nullptr);
  }
  void TearDown() override {
    if (IsWindow(window)) DestroyWindow(window);
    for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) {}  // the quits it posted
  }
  // Sends message from inside a scan the loop started (in its listing pass or before): saved then, as it is, once.
  LRESULT EndDuringScan(UINT message, bool listing) {
    for (char name[] = "f0\\a.txt"; name[1] <= '9'; ++name[1]) t.File(std::string("tree\\") + name);
    const std::string tree = t.Root() + "\\tree";
    t.File("FILORA.INI", "[OPTION]\r\nDIR1=" + tree + "\r\n");
    Open();
    LRESULT answer = -1;
    bool saved = false;
    PostMessageA(window, WM_COMMAND, IDM_START, 0);  // queued first: the scan handles the action
    DuringScan([&] {
      if (listing != (RowCount(list) > 0)) return false;
      SetWindowTextA(folderBox, (tree + "\\").c_str());  // the same folder: a scan goes on alike
      ListView_SetColumnWidth(list, 16, 123);
      answer = SendMessageA(window, message, 0, 0);
      saved = IniValue(ini, "DIR1") == tree + "\\" && IniValue(ini, "COLMN17") == "123";
      DeleteFileA(ini.c_str());  // a second save would write it anew
      return true;
    });
    EXPECT_TRUE(LoopUntilQuit()) << "the program did not end";
    EXPECT_TRUE(saved);
    EXPECT_EQ(GetFileAttributesA(ini.c_str()), INVALID_FILE_ATTRIBUTES) << "saved again";
    return answer;
  }
  TempTree t;
  const std::string ini = t.Root() + "\\FILORA.INI";
  std::wstring iniPath = Wide(ini);
  HWND window = nullptr, folderBox = nullptr, list = nullptr;
};

TEST_F(App, ClosingDuringAScanEndsTheProgramSavingOnceASessionEndToo) {
  EndDuringScan(WM_CLOSE, false), EndDuringScan(WM_CLOSE, true);
  EXPECT_EQ(EndDuringScan(WM_QUERYENDSESSION, false), TRUE);
  EXPECT_EQ(RowCount(list), 0);  // the listing pass never began
}

TEST_F(App, StopFromTheMenuThenTheDeleteKeyCountsTheRowsLeft) {
  for (const char* name : {"tree\\a.txt", "tree\\b.txt", "tree\\s\\c.txt"}) t.File(name);
  t.File("FILORA.INI", "[OPTION]\r\nDIR1=" + t.Root() + "\\tree\r\n");
  Open();
  DuringScan([&] { return SendMessageA(window, WM_COMMAND, IDM_STOP, 0), true; });  // at the top folder
  SendMessageA(window, WM_COMMAND, IDM_START, 0);
  EXPECT_EQ(RowCount(list), 2);
  EXPECT_EQ(GetMenuState(GetMenu(window), IDM_START, MF_BYCOMMAND), static_cast<UINT>(MF_ENABLED));
  LVITEMA select = {0, 0, 0, LVIS_SELECTED, LVIS_SELECTED};
  SendMessageA(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&select));
  SendMessageA(list, WM_KEYDOWN, VK_DELETE, 0);
  char status[64] = "";
  SendMessageA(FindWindowExA(window, nullptr, STATUSCLASSNAMEA, nullptr), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(status));
  EXPECT_EQ(RowCount(list), 1);
  EXPECT_STREQ(status, "1/1件");
}

TEST_F(App, AMinimizedOrMaximizedWindowIsSavedAtItsNormalPlace) {
  for (int show : {SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED}) {
    t.File("FILORA.INI", "[OPTION]\r\nLEFT=100\r\nTOP=50\r\nRIGHT=500\r\nBOTTOM=400\r\n");
    Open(show);
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(IniValue(ini, "LEFT") + "," + IniValue(ini, "TOP") + "," + IniValue(ini, "RIGHT") + "," +
                  IniValue(ini, "BOTTOM"), "100,50,500,400") << "show command " << show;
  }
}

TEST_F(App, AFileDroppedOnTheFolderBoxPutsTheFirstPathThere) {
  Open();
  struct Drop { DROPFILES header; wchar_t names[32]; };  // the names end in an empty one
  auto* drop = static_cast<Drop*>(GlobalAlloc(GPTR, sizeof(Drop)));  // fixed memory: its own handle
  *drop = {{sizeof(DROPFILES), {}, FALSE, TRUE}, L"C:\\dropped\\caf\xE9.txt\0C:\\second"};
  MSG msg = {folderBox, WM_DROPFILES, reinterpret_cast<WPARAM>(drop)};
  DispatchLoopMessage(msg);
  wchar_t text[MAX_PATH] = L"";
  GetWindowTextW(folderBox, text, MAX_PATH);
  EXPECT_STREQ(text, L"C:\\dropped\\caf\xE9.txt");
}

// The clipboard's text as CF_TEXT (code page 932) or CF_UNICODETEXT.
template <typename Char>
static std::basic_string<Char> Clipboard(UINT format) {
  std::basic_string<Char> text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(format); auto* at = data ? static_cast<const Char*>(GlobalLock(data)) : nullptr)
    text = at, GlobalUnlock(data);
  return CloseClipboard(), text;
}

// A key pressed on the list, with Ctrl held or not.
static void ListKey(HWND list, WPARAM key, bool ctrl) {
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_CONTROL] = ctrl ? 0x80 : 0;
  SetKeyboardState(keys);
  SendMessageA(list, WM_KEYDOWN, key, 0);
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
}

// Lines for a spreadsheet under the titles the list shows; a name code page 932 lacks a character
// of as '?' in CF_TEXT and whole in CF_UNICODETEXT.
TEST_F(App, CtrlASelectsEveryRowAndCtrlCOrCtrlInsertCopiesTheSelectedOnesForASpreadsheet) {
  Open();
  std::string header;
  for (int c = 0; c < kColumnCount; ++c) {
    char title[64] = "";
    LVCOLUMNA column = {LVCF_TEXT, 0, 0, title, sizeof title};
    SendMessageA(list, LVM_GETCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
    header += title + std::string(c + 1 < kColumnCount ? "\t" : "\r\n");
  }
  InsertFileRow(list, 0, "表.txt"), SetCellText(list, 0, kSizeColumn, "        12");
  SetCellText(list, 0, kPathColumn, "C:\\表\\表.txt");
  InsertFileRow(list, 1, "caf?.txt"), SetCellText(list, 1, kPathColumn, "C:\\caf?.txt");
  SetRealPath(list, 1, L"C:\\caf\xE9.txt");
  const std::string first = "表.txt\t\t        12" + std::string(14, '\t') + "C:\\表\\表.txt\r\n",
                    second = "caf?.txt" + std::string(16, '\t') + "C:\\caf?.txt\r\n";
  OpenClipboard(nullptr), EmptyClipboard(), CloseClipboard();
  ListKey(list, 'C', true);  // nothing selected: the clipboard is left as it was
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
  ListKey(list, 'A', true);
  EXPECT_EQ(SelectedRows(list), std::vector<int>({0, 1}));
  ListKey(list, 'C', true);
  EXPECT_EQ(Clipboard<char>(CF_TEXT), header + first + second);
  EXPECT_EQ(Clipboard<wchar_t>(CF_UNICODETEXT),
            Wide(header + first) + L"caf\xE9.txt" + std::wstring(16, L'\t') + L"C:\\caf\xE9.txt\r\n");
  SelectRows(list, {1});
  ListKey(list, VK_INSERT, true);
  EXPECT_EQ(Clipboard<char>(CF_TEXT), header + second);
  CopySelectedPaths(window, list);
  EXPECT_EQ(Clipboard<char>(CF_TEXT), "C:\\caf?.txt");
  EXPECT_EQ(Clipboard<wchar_t>(CF_UNICODETEXT), L"C:\\caf\xE9.txt");
}

TEST_F(App, TheRowMenuGreysWhatNeedsARowWhenNoneIsSelected) {
  Open();
  for (const char* name : {"a.txt", "b.txt"}) InsertFileRow(list, RowCount(list), name);
  using Items = std::vector<std::string>;
  for (const auto& [selected, items] : {std::pair{std::vector<int>{}, Items{"フォルダを開く(&F) -", "コピー(&C) -",
                                            "パスのコピー(&P) -", "すべて選択(&A)", "プロパティ(&R) -"}},
                                        {std::vector<int>{1}, Items{"フォルダを開く(&F)", "コピー(&C)", "パスのコピー(&P)",
                                            "すべて選択(&A)", "プロパティ(&R)"}}}) {
    SelectRows(list, selected);
    int row = -2;
    const OwnedMenu bar = LoadRowMenu(GetModuleHandleA(nullptr), list, row);
    HMENU menu = GetSubMenu(bar.Get(), 0);
    Items seen;  // "-" after a greyed item
    for (int i = 0; i < GetMenuItemCount(menu); ++i)
      if (char text[64] = ""; GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION) > 0)
        seen.push_back(text + std::string(GetMenuState(menu, i, MF_BYPOSITION) & MF_GRAYED ? " -" : ""));
    EXPECT_EQ(seen, items) << selected.size() << " selected";
    EXPECT_EQ(row, selected.empty() ? -1 : 1);
  }
}

static RECT shownMenu;
static void CALLBACK NoteMenuAndClose(HWND, UINT, UINT_PTR timer, DWORD) {
  if (HWND menu = FindWindowA("#32768", nullptr)) GetWindowRect(menu, &shownMenu), KillTimer(nullptr, timer), EndMenu();
}

// Shift+F10 or the menu key put the menu below the focused row's text, the first row's too.
TEST_F(App, TheRowMenuOfAKeyOpensBelowTheFocusedRow) {
  Open();
  InsertFileRow(list, 0, "a.txt");
  LVITEMA focus = {0, 0, 0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED};
  SendMessageA(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&focus));
  SetTimer(nullptr, 0, 200, NoteMenuAndClose);
  SendMessageA(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(-1, -1));
  RECT row = {LVIR_LABEL};
  SendMessageA(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
  POINT below = {row.left, row.bottom};
  ClientToScreen(list, &below);
  EXPECT_EQ(std::make_pair(shownMenu.left, shownMenu.top), std::make_pair(below.x, below.y));
}

// フォルダを開く: the shell's file browser on the file's folder, the folder alone once the file is gone.
TEST_F(App, OpenFolderShowsTheFolderOfTheFileOrOfAFileGone) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // as the program starts
  for (const wchar_t* name : {L"R\xE9sum\xE9", L"gone"}) {
    const std::wstring file = t.File(std::wstring(name) + L"\\a.txt", "");
    if (name[0] == L'g') DeleteFileW(file.c_str());
    OpenFolderOf(nullptr, file.c_str());
    HWND shown = nullptr;  // a browser process of its own, given 20 s to start
    for (int i = 0; i < 400 && !(shown = FindWindowW(L"ExplorerWClass", name)); ++i) Sleep(50);
    EXPECT_TRUE(shown) << name;
    PostMessageW(shown, WM_CLOSE, 0, 0);
  }
}

// The background colour chosen repaints the window; a cancelled choice leaves it as it was.
TEST_F(App, AColourChosenRepaintsTheWindowACancelledOneDoesNot) {
  Open();
  for (int button : {IDCANCEL, IDOK}) {
    UpdateWindow(window);
    DialogDriver colours([&](HWND dialog) { return PressButton(dialog, button), true; });
    SendMessageA(window, WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(GetUpdateRect(window, nullptr, FALSE) != FALSE, button == IDOK) << button;
  }
}

// FILORA.EXE run with a command line in folder, as a batch file runs it: its exit code, and what it
// wrote to its standard handles in output.
static DWORD RunExe(const std::wstring& folder, const std::wstring& arguments, std::string& output) {
  static int runs = 0;  // a file of its own each time: a process that outlives a run may still hold one
  const std::wstring log = folder + L"\\output" + std::to_wstring(++runs) + L".txt";
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  STARTUPINFOW startup = {sizeof startup};
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = CreateFileW(log.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                                       &inherit, CREATE_ALWAYS, 0, nullptr);
  std::wstring line = L"FILORA.EXE " + arguments;
  PROCESS_INFORMATION process = {};
  DWORD code = 999;  // also when it does not start or end within a minute
  if (CreateProcessW((folder + L"\\FILORA.EXE").c_str(), &line[0], nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(),
                     &startup, &process) && WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0)
    GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hProcess), CloseHandle(process.hThread), CloseHandle(startup.hStdOutput);
  return output = ReadBytes(log), DeleteFileW(log.c_str()), code;
}
static void SetTimes(const std::wstring& path, const FILETIME* written, const FILETIME* accessed) {
  HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  SetFileTime(file, nullptr, accessed, written), CloseHandle(file);
}

// The cells that tell a differences line apart: state, name and the columns that changed.
static std::vector<std::string> Differences(const std::string& file) {
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; (end = file.find("\r\n", at)) != std::string::npos; at = end + 2) {
    const std::string line = file.substr(at, end - at);
    lines.push_back(line.substr(0, line.find("\",\"", 7)) + line.substr(line.rfind(",\"")));
  }
  return std::sort(lines.begin(), lines.end() - (lines.size() > 0)), lines;  // the gone ones stay last
}

// FILORA kept in a folder whose name code page 932 lacks a character of, its settings naming such a
// folder (kept whole beside DIR1): a run finds them there and lists that folder by its real names,
// takes switches in any case and tells what went wrong. The tree is listed, copied elsewhere, then
// changed: a file added, one gone, one grown, one given a new modified time, one program replaced by
// another of the same time, one only read.
TEST_F(App, CommandLinesAndComparisonsWithAnEarlierListingFromAFolderOfAnyName) {
  const std::wstring home = Wide(t.Root()) + L"\\Donn\xE9es", tree = Wide(t.Root()) + L"\\R\xE9sum\xE9";
  const std::string fixtures = ExeFolder() + "\\fixtures\\";
  for (const wchar_t* name : {L"grow.txt", L"gone.txt", L"touched.txt", L"read\xE9.txt", L"top.log", L"s\\deep.log"})
    t.File(L"R\xE9sum\xE9\\" + std::wstring(name), "text");
  ASSERT_TRUE(CopyFileW(Wide(fixtures + "sjis.exe").c_str(), (tree + L"\\prog.exe").c_str(), FALSE));
  // Read in 2036: no later read moves a last access that lies ahead.
  const FILETIME then = {0, 0x01D00000}, later = {0, 0x01D00001}, read = {0, 0x01E80000};
  for (const wchar_t* name : {L"\\grow.txt", L"\\touched.txt", L"\\prog.exe"}) SetTimes(tree + name, &then, nullptr);
  t.File(L"Donn\xE9es\\FILORA.INI", "[OPTION]\r\nDIR1=" + t.Root() + "\\R?sum?\r\nDIR1UTF8=" + t.Root() +
                                         "\\R%C3%A9sum%C3%A9\r\n");
  ASSERT_TRUE(CopyFileW(Wide(ExeFolder() + "\\FILORA.EXE").c_str(), (home + L"\\FILORA.EXE").c_str(), FALSE));
  const std::string settingsBefore = ReadBytes(home + L"\\FILORA.INI");
  std::string output;
  EXPECT_EQ(RunExe(home, L"-SAVE \"only logs.csv\" /Folder \"" + tree + L"\" /filter *.log /subfolders 0", output), 0u);
  EXPECT_EQ(output + ReadBytes(home + L"\\only logs.csv").substr(0, 11), "\"top.log\",\"");
  EXPECT_EQ(ReadBytes(home + L"\\only logs.csv").find("\r\n\""), std::string::npos);  // one line: no deep.log
  const struct { std::wstring arguments; DWORD code; } failures[] = {{L"/save x.csv /folder \"" + tree + L"\\none\"", 2},
      {L"/save x.csv /folder \"\"", 2}, {L"/save x.csv /bogus 1", 1}, {L"/save missing\\x.csv", 3},
      {L"/save " + std::wstring(250, L'o') + L".csv", 3}};  // its full path too long
  for (const auto& f : failures) {
    EXPECT_EQ(RunExe(home, f.arguments, output), f.code) << f.code;
    EXPECT_TRUE(output.rfind("FILORA: ", 0) == 0 && output.rfind("\r\n") + 2 == output.size()) << output;
  }
  EXPECT_EQ(GetFileAttributesW((home + L"\\x.csv").c_str()), INVALID_FILE_ATTRIBUTES);
  for (const wchar_t* run : {L"/save before.csv", L"/save before8.csv /utf8"}) ASSERT_EQ(RunExe(home, run, output), 0u) << output;
  EXPECT_NE(ReadBytes(home + L"\\before8.csv").find(u8"\\R\u00E9sum\u00E9\\read\u00E9.txt\"\r\n"), std::string::npos);
  ASSERT_TRUE(HostShell("cp -a '" + HostPath(t.Root()) + "'/R*sum* '" + HostPath(t.Root()) + "/copy'"));
  t.File(L"R\xE9sum\xE9\\new.txt", ""), DeleteFileW((tree + L"\\gone.txt").c_str());
  t.File(L"R\xE9sum\xE9\\grow.txt", "grown"), SetTimes(tree + L"\\grow.txt", &then, nullptr);
  SetTimes(tree + L"\\touched.txt", &later, nullptr), SetTimes(tree + L"\\read\xE9.txt", nullptr, &read);
  ASSERT_TRUE(CopyFileW(Wide(fixtures + "fallback.exe").c_str(), (tree + L"\\prog.exe").c_str(), FALSE));
  SetTimes(tree + L"\\prog.exe", &then, nullptr);

  const std::string counts = "追加 1件、変更 3件、削除 1件";
  ASSERT_EQ(RunExe(home, L"/save after.csv", output), 0u) << output;
  EXPECT_EQ(RunExe(home, L"/compare before.csv /save \"diff\xE9.csv\"", output), 5u) << output;
  EXPECT_EQ(output.substr(output.size() - counts.size() - 2), counts + "\r\n");
  const std::string diff = ReadBytes(home + L"\\diff\xE9.csv"), versions =
      (ReadBytes(fixtures + "sjis.exe").size() != ReadBytes(fixtures + "fallback.exe").size() ? "サイズ;" : "") +
      std::string("会社名;説明;ﾊﾞｰｼﾞｮﾝ;内部名;著作権;正式ﾌｧｲﾙ名;製品名;製品ﾊﾞｰｼﾞｮﾝ");
  EXPECT_EQ(Differences(diff), std::vector<std::string>({"\"追加\",\"new.txt,\"\"", "\"変更\",\"grow.txt,\"サイズ\"",
                                                         "\"変更\",\"prog.exe,\"" + versions + "\"",
                                                         "\"変更\",\"touched.txt,\"更新日時\"", "\"削除\",\"gone.txt,\"\""}));
  EXPECT_EQ(RunExe(home, L"/compare before8.csv /save diff8.csv", output), 5u) << output;
  EXPECT_TRUE(ReadBytes(home + L"\\diff8.csv") == diff);  // either encoding alike
  EXPECT_EQ(RunExe(home, L"/compare before.csv /save same.csv /oldfolder \"" + tree + L"\" /folder \"" +
                             Wide(t.Root()) + L"\\copy\"", output), 0u) << output;
  EXPECT_EQ(ReadBytes(home + L"\\same.csv"), "");
  t.File(L"Donn\xE9es\\broken.csv", "\"a\",\"b\"\r\n");
  EXPECT_EQ(RunExe(home, L"/compare broken.csv /save no.csv", output), 6u) << output;
  EXPECT_NE(output.find("(1 行目)"), std::string::npos) << output;
  EXPECT_EQ(ReadBytes(home + L"\\no.csv") + ReadBytes(home + L"\\FILORA.INI"), settingsBefore);  // none, unwritten

  iniPath = home + L"\\FILORA.INI";  // the window's list, compared from its menu, the same file
  Open();
  wchar_t shown[MAX_PATH] = L"";
  GetWindowTextW(folderBox, shown, MAX_PATH);
  EXPECT_EQ(shown, tree);
  const auto compareGreyed = [&] {
    SendMessageA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(GetMenu(window), 0)), 0);
    return (GetMenuState(GetMenu(window), IDM_COMPARE, MF_BYCOMMAND) & MF_GRAYED) != 0;
  };
  EXPECT_TRUE(compareGreyed());  // nothing listed yet
  SendMessageA(window, WM_COMMAND, IDM_START, 0);
  EXPECT_FALSE(compareGreyed());
  const std::wstring answers[] = {home + L"\\before.csv", home + L"\\window.csv", L"", home + L"\\saved.csv"};
  DialogDriver dialogs([&](HWND dialog) {  // Open, Save, the counts; then Save as a user saves the list
    if (dialogs.Count() != 3) SetDlgItemTextW(dialog, GetDlgItem(dialog, edt1) ? edt1 : cmb13, answers[dialogs.Count() - 1].c_str());
    return PressButton(dialog, IDOK), true;
  });
  SendMessageA(window, WM_COMMAND, IDM_COMPARE, 0);
  EXPECT_EQ(dialogs.Text(), counts);
  SendMessageA(window, WM_COMMAND, IDM_SAVE, 0);
  EXPECT_TRUE(ReadBytes(home + L"\\window.csv") == diff);  // the command line's files, byte for byte
  EXPECT_TRUE(ReadBytes(home + L"\\saved.csv") == ReadBytes(home + L"\\after.csv"));
  SetWindowTextW(folderBox, (tree + L"\\x\xA5y").c_str());
  SendMessageA(window, WM_CLOSE, 0, 0);
  const std::string saved = ReadBytes(iniPath);  // never a look-alike
  EXPECT_NE(saved.find("DIR1=" + t.Root() + "\\R?sum?\\x?y\r\nDIR1UTF8=" + t.Root() + "\\R%C3%A9sum%C3%A9\\x%C2%A5y\r\n"),
            std::string::npos) << saved;
}
