#include "support/WinTestSupport.h"

#include <commctrl.h>

#include <atomic>
#include <cstdio>

#include "app/MainWindow_win.h"
#include "scan/FileList_win.h"
#include "settings/SettingsFile_win.h"
#include "settings/SettingsKeys.h"

static std::string UniqueName(const char* prefix) {
  static std::atomic<int> counter{0};
  char name[64];
  std::snprintf(name, sizeof name, "%s%lu_%d", prefix, GetCurrentProcessId(), counter++);
  return name;
}

static std::string TempFolder() {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  return temp;
}

TempTree::TempTree() : root_(TempFolder() + UniqueName("filora")) { CreateDirectoryA(root_.c_str(), nullptr); }
TempTree::~TempTree() { RemoveTree(root_); }

std::string TempTree::Dir(const std::string& rel) {
  std::string path = root_;
  size_t start = 0;
  while (start <= rel.size()) {
    size_t end = rel.find('\\', start);
    if (end == std::string::npos) end = rel.size();
    path += "\\" + rel.substr(start, end - start);
    CreateDirectoryA(path.c_str(), nullptr);
    start = end + 1;
  }
  return path;
}

std::string TempTree::File(const std::string& rel, const std::string& content) {
  size_t slash = rel.rfind('\\');
  if (slash != std::string::npos) Dir(rel.substr(0, slash));
  std::string path = root_ + "\\" + rel;
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_NE(h, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  if (!content.empty()) WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(h);
  return path;
}

void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA((path + "\\*").c_str(), &data);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::string name = data.cFileName;
      if (name == "." || name == "..") continue;
      std::string child = path + "\\" + name;
      SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        RemoveTree(child);
      else if (!DeleteFileA(child.c_str()))
        RemoveDirectoryA(child.c_str());
    } while (FindNextFileA(h, &data));
    FindClose(h);
  }
  RemoveDirectoryA(path.c_str());
}

std::string ReadFileBytes(const std::string& path) {
  std::string bytes;
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return bytes;
  char buffer[65536];
  DWORD n = 0;
  while (ReadFile(h, buffer, sizeof buffer, &n, nullptr) && n > 0) bytes.append(buffer, n);
  CloseHandle(h);
  return bytes;
}

std::string ExeFolder() {
  char exe[MAX_PATH];
  GetModuleFileNameA(nullptr, exe, sizeof exe);
  std::string s = exe;
  return s.substr(0, s.rfind('\\'));
}

void DrainMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

namespace {
struct WatchState {
  std::function<void(HWND)> action;
  bool seen = false;
  std::string title, text;
  UINT_PTR timer = 0;
};
WatchState* watch;

BOOL CALLBACK CollectText(HWND child, LPARAM param) {
  char cls[32], text[1024];
  GetClassNameA(child, cls, sizeof cls);
  if (lstrcmpiA(cls, "Static") == 0 && GetWindowTextA(child, text, sizeof text) > 0) {
    auto* out = reinterpret_cast<std::string*>(param);
    if (!out->empty()) *out += "\n";
    *out += text;
  }
  return TRUE;
}

BOOL CALLBACK FindDialog(HWND hwnd, LPARAM param) {
  char cls[16];
  if (IsWindowVisible(hwnd) && GetClassNameA(hwnd, cls, sizeof cls) && lstrcmpA(cls, "#32770") == 0) {
    *reinterpret_cast<HWND*>(param) = hwnd;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK WatchTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (!watch || watch->seen) return;
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog) return;
  watch->seen = true;
  char title[256] = "";
  GetWindowTextA(dialog, title, sizeof title);
  watch->title = title;
  watch->text = DialogStaticText(dialog);
  watch->action(dialog);
}
}  // namespace

DialogWatcher::DialogWatcher(std::function<void(HWND)> action) {
  watch = new WatchState;
  watch->action = std::move(action);
  watch->timer = SetTimer(nullptr, 0, 100, WatchTimer);
}
DialogWatcher::~DialogWatcher() {
  KillTimer(nullptr, watch->timer);
  delete watch;
  watch = nullptr;
}
bool DialogWatcher::Seen() const { return watch->seen; }
const std::string& DialogWatcher::Title() const { return watch->title; }
const std::string& DialogWatcher::Text() const { return watch->text; }

std::string DialogStaticText(HWND dialog) {
  std::string text;
  EnumChildWindows(dialog, CollectText, reinterpret_cast<LPARAM>(&text));
  return text;
}

void RetryDialogWatch() {
  if (watch) watch->seen = false;
}

void PressDialogButton(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

static bool classRegistered;

void AppTest::SetUp() {
  iniPath_ = TempFolder() + UniqueName("filora_test") + ".INI";
  DeleteFileA(iniPath_.c_str());
  SetSettingsFilePath(iniPath_.c_str());
}

void AppTest::TearDown() {
  DestroyApp();
  DeleteFileA(iniPath_.c_str());
}

void AppTest::WriteIni(const char* key, const std::string& value) {
  WritePrivateProfileStringA(kSettingsSection, key, value.c_str(), iniPath_.c_str());
}

void AppTest::CreateApp() {
  static INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  for (int& s : sortState) s = 0;
  LoadSettings();
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!classRegistered) classRegistered = RegisterMainWindowClass(instance);
  ASSERT_TRUE(classRegistered);
  main_ = CreateMainWindow(instance, SW_SHOWNOACTIVATE);
  ASSERT_NE(main_, nullptr);
  DrainMessages();
}

void AppTest::DestroyApp() {
  if (main_ && IsWindow(main_)) DestroyWindow(main_);
  main_ = nullptr;
  DrainMessages();
}

void AppTest::SetFolder(const std::string& folder) { SetWindowTextA(FolderBox(), folder.c_str()); }

void AppTest::Command(int id) { SendMessageA(main_, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

void AppTest::ClickColumn(int column) {
  NMLISTVIEW click = {};
  click.hdr.hwndFrom = FileListControl();
  click.hdr.idFrom = 1;  // IDC_LIST
  click.hdr.code = LVN_COLUMNCLICK;
  click.iItem = -1;
  click.iSubItem = column;
  SendMessageA(main_, WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
}

void AppTest::Scan(const std::string& folder) {
  SetFolder(folder);
  Command(32771);  // IDM_START
}

HWND AppTest::List() const { return FileListControl(); }
int AppTest::RowCount() const { return ::RowCount(FileListControl()); }
std::string AppTest::Cell(int row, int column) const { return GetCellText(FileListControl(), row, column); }

std::vector<std::string> AppTest::Column(int column) const {
  std::vector<std::string> cells;
  for (int r = 0; r < RowCount(); ++r) cells.push_back(Cell(r, column));
  return cells;
}

LPARAM AppTest::Tag(int row) const {
  LVITEMA item = {};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  SendMessageA(FileListControl(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  return item.lParam;
}

std::vector<std::string> AppTest::Row(int row) const {
  std::vector<std::string> cells;
  for (int c = 0; c < 17; ++c) cells.push_back(Cell(row, c));
  return cells;
}

std::string AppTest::StatusText() const {
  char text[1024] = "";
  SendMessageA(StatusBar(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
  return text;
}

std::string AppTest::IniValue(const char* key) const {
  char value[4096];
  GetPrivateProfileStringA(kSettingsSection, key, "<missing>", value, sizeof value, iniPath_.c_str());
  return value;
}

bool AppTest::MenuHas(int id) const {
  MENUITEMINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_ID;
  return GetMenuItemInfoA(GetMenu(main_), id, FALSE, &info) != 0;
}

bool AppTest::MenuEnabled(int id) const {
  UINT state = GetMenuState(GetMenu(main_), id, MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}
