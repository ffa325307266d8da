#include "support/Support.h"

#include <commctrl.h>
#include <shlobj.h>

#include <cstdio>
#include <fstream>

#include "resource.h"
#include "scan/FileList_win.h"
#include "settings/SettingsFile_win.h"

std::string TempPath(const char* name) {
  static int counter = 0;
  char temp[MAX_PATH], unique[64];
  GetTempPathA(sizeof temp, temp);
  // Wine reuses process ids from run to run; the tick count keeps names apart.
  std::snprintf(unique, sizeof unique, "%s%lu_%lu_%d", name, GetCurrentProcessId(), GetTickCount(), counter++);
  return temp + std::string(unique);
}

TempTree::TempTree() : root_(TempPath("filora")) { CreateDirectoryA(root_.c_str(), nullptr); }
// The host removes it whole, read-only files and links (not followed) alike.
TempTree::~TempTree() { EXPECT_TRUE(HostShell("rm -rf '" + HostPath(root_) + "'")); }

std::string TempTree::Dir(const std::string& rel) {
  SHCreateDirectoryExA(nullptr, (root_ + "\\" + rel).c_str(), nullptr);  // and the folders above it
  return root_ + "\\" + rel;
}

std::string TempTree::File(const std::string& rel, const std::string& content) {
  if (rel.rfind('\\') != std::string::npos) Dir(rel.substr(0, rel.rfind('\\')));
  const std::string path = root_ + "\\" + rel;
  EXPECT_TRUE(std::ofstream(path, std::ios::binary) << content) << path;
  return path;
}

std::wstring TempTree::File(const std::wstring& rel, const std::string& content) {
  const std::wstring path = Wide(root_) + L"\\" + rel;
  SHCreateDirectoryExW(nullptr, path.substr(0, path.rfind(L'\\')).c_str(), nullptr);
  EXPECT_TRUE(std::ofstream(path.c_str(), std::ios::binary) << content);
  return path;
}

void TempTree::Files(std::initializer_list<std::string> rels) {
  for (const std::string& rel : rels) rel.back() == '\\' ? (void)Dir(rel.substr(0, rel.size() - 1)) : (void)File(rel);
}

std::wstring Wide(const std::string& ansi) {
  std::wstring wide(ansi.size(), L'\0');
  return wide.resize(MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), &wide[0],
                                         static_cast<int>(wide.size()))), wide;
}

std::string ExeFolder() {
  char exe[MAX_PATH];
  GetModuleFileNameA(nullptr, exe, sizeof exe);
  return std::string(exe).substr(0, std::string(exe).rfind('\\'));
}

std::string IniValue(const std::string& ini, const char* key) {
  char value[1024];
  GetPrivateProfileStringA("OPTION", key, "<none>", value, sizeof value, ini.c_str());
  return value;
}

std::string HostPath(const std::string& windowsPath) {
  using ToHost = char*(CDECL*)(LPCWSTR);
  auto toHost = reinterpret_cast<ToHost>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name"));
  wchar_t wide[MAX_PATH];
  char* host = toHost && MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH) ? toHost(wide) : nullptr;
  const std::string path = host ? host : "";
  HeapFree(GetProcessHeap(), 0, host);
  return path;
}

bool HostShell(const std::string& command) {
  // A host program started from Wine gives no handle to wait on, so it leaves a mark when done.
  const std::string mark = TempPath("mark");
  std::string line = "Z:\\bin\\sh -c \"" + command + "; touch '" + HostPath(mark) + "'\"";
  STARTUPINFOA startup = {sizeof startup};
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) return false;
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  bool done = false;  // messages are handled meanwhile, for 20 s at most
  for (const DWORD start = GetTickCount(); !(done = GetFileAttributesA(mark.c_str()) != INVALID_FILE_ATTRIBUTES) &&
                                           GetTickCount() - start < 20000;
       MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT))
    for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) TranslateMessage(&msg), DispatchMessageA(&msg);
  return DeleteFileA(mark.c_str()), done;
}

namespace {

struct {
  std::function<bool(HWND)> act;
  HWND current;
  DWORD since;
  bool acted;  // act returned true for the current dialog: it is left to close
  int count;
  std::string text;
  UINT_PTR timer;
} driving;

BOOL CALLBACK CollectText(HWND child, LPARAM) {
  char cls[32], text[1024];
  if (GetClassNameA(child, cls, sizeof cls) && lstrcmpiA(cls, "Static") == 0 && GetWindowTextA(child, text, sizeof text))
    driving.text += (driving.text.empty() ? "" : "\n") + std::string(text);
  return TRUE;
}

BOOL CALLBACK FindDialog(HWND window, LPARAM out) {
  char cls[16];
  if (!IsWindowVisible(window) || !GetClassNameA(window, cls, sizeof cls) || lstrcmpA(cls, "#32770") != 0) return TRUE;
  return *reinterpret_cast<HWND*>(out) = window, FALSE;
}

void CALLBACK DriveTick(HWND, UINT, UINT_PTR, DWORD) {
  static bool acting = false;  // an action that opens a dialog of its own is not re-entered
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog || acting) return;
  if (dialog != driving.current) {
    driving.current = dialog, driving.since = GetTickCount(), driving.acted = false, driving.text.clear();
    EnumChildWindows(dialog, CollectText, 0);
    ++driving.count;
  } else if (GetTickCount() - driving.since > 10000) {
    ADD_FAILURE() << "a dialog was left open: " << driving.text;
    return PressButton(dialog, IDCANCEL);
  }
  if (driving.acted) return;
  acting = true;
  if (driving.act(dialog)) driving.acted = true, driving.since = GetTickCount() - 9000;
  acting = false;
}

constexpr UINT kRunAction = WM_APP + 7;
std::vector<std::function<bool()>> pending;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT answer; message == WM_NOTIFY && AnswerListRequest(reinterpret_cast<NMHDR*>(lParam), answer)) return answer;
  const auto* draw = reinterpret_cast<const NMCUSTOMDRAW*>(lParam);
  if (message == WM_NOTIFY && draw->hdr.code == static_cast<UINT>(NM_CUSTOMDRAW) && draw->dwDrawStage == CDDS_PREPAINT)
    ++Host::listPaints;
  if (message != kRunAction) return DefWindowProcA(window, message, wParam, lParam);
  if (wParam >= pending.size() || !pending[wParam]) return 0;  // left over from an earlier test
  auto action = std::move(pending[wParam]);
  if (!action()) pending[wParam] = std::move(action), PostMessageA(window, kRunAction, wParam, 0);
  return 0;
}

HINSTANCE Ready() {
  static const bool ready = [] {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    WNDCLASSA wc = {0, HostProc, 0, 0, GetModuleHandleA(nullptr), nullptr, nullptr, nullptr, nullptr, "FiloraTestHost"};
    return InitCommonControlsEx(&icc) && RegisterClassA(&wc);
  }();
  EXPECT_TRUE(ready);
  return GetModuleHandleA(nullptr);
}

}  // namespace

DialogDriver::DialogDriver(std::function<bool(HWND)> act) {
  driving = {std::move(act), nullptr, 0, false, 0, "", SetTimer(nullptr, 0, 50, DriveTick)};
}
DialogDriver::~DialogDriver() { KillTimer(nullptr, driving.timer), driving.act = [](HWND) { return true; }; }
int DialogDriver::Count() const { return driving.count; }
const std::string& DialogDriver::Text() const { return driving.text; }

void PressButton(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void DuringScan(std::function<bool()> action) {
  // A message-only window of this thread: whichever scan runs here handles it, a Host's or the app's.
  static HWND target = CreateWindowExA(0, "FiloraTestHost", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, Ready(), nullptr);
  pending.push_back(std::move(action));
  PostMessageA(target, kRunAction, pending.size() - 1, 0);
}

std::vector<bool> Host::busyCalls;
int Host::listPaints;

Host::Host() {
  HINSTANCE instance = Ready();
  window = CreateWindowExA(0, "FiloraTestHost", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800, 600, nullptr, nullptr,
                           instance, nullptr);
  folderBox = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 700, 20, window,
                              reinterpret_cast<HMENU>(IDC_FOLDER), instance, nullptr);
  list = CreateFileList(window, instance);
  MoveWindow(list, 0, 30, 780, 400, TRUE);
  statusBar = CreateStatusWindowA(WS_CHILD | WS_VISIBLE, "", window, IDC_STATUS);
  busyCalls.clear();
  for (int& state : sortState) state = 0;
  settings.includeSubfolders = settings.clearFirst = 1;
  settings.autoWidth = 0;
}

Host::~Host() { DestroyWindow(window), pending.clear(); }

ScanWindows Host::Windows() const {
  return {window, folderBox, list, statusBar, [](bool busy) { busyCalls.push_back(busy); }, false};
}

void Host::Scan(const std::wstring& folder, const char* filter) {
  SetWindowTextW(folderBox, folder.c_str());
  lstrcpynA(settings.filter, filter, sizeof settings.filter);
  StartScan(Windows());
}

std::string Host::Status() const {
  char text[512] = "";
  SendMessageA(statusBar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
  return text;
}

std::vector<std::string> ColumnTexts(HWND list, int column) {
  std::vector<std::string> texts;
  static char text[4096];  // as the control shows them
  for (LVITEMA item = {0, 0, column}; item.iItem < SendMessageA(list, LVM_GETITEMCOUNT, 0, 0); ++item.iItem) {
    item.pszText = text, item.cchTextMax = sizeof text;
    texts.emplace_back(text, SendMessageA(list, LVM_GETITEMTEXTA, item.iItem, reinterpret_cast<LPARAM>(&item)));
  }
  return texts;
}

void SelectRows(HWND list, const std::vector<int>& rows) {
  LVITEMA item = {};
  item.stateMask = LVIS_SELECTED;
  SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
  item.state = LVIS_SELECTED;
  for (int row : rows) SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}
