#include "support/FaultSupport.h"

#include <atomic>
#include <cstdio>
#include <vector>

#include "support/WinTestSupport.h"

namespace {

std::wstring Wide(const std::string& text) {
  int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  std::wstring wide(n > 0 ? n : 1, L'\0');
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], n);
  wide.resize(wide.size() - 1);
  return wide;
}

std::wstring LongForm(const std::string& path) { return L"\\\\?\\" + Wide(path); }

std::string FreshName(const char* prefix) {
  static std::atomic<int> counter{0};
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  char name[64];
  std::snprintf(name, sizeof name, "%s%lu_%d", prefix, GetCurrentProcessId(), counter++);
  return std::string(temp) + name;
}

}  // namespace

DWORD TimeLeft(DWORD deadline) {
  const LONG left = static_cast<LONG>(deadline - GetTickCount());
  return left > 0 ? static_cast<DWORD>(left) : 0;
}

std::string HostPath(const std::string& windowsPath) {
  using ToHost = char*(CDECL*)(LPCWSTR);
  auto toHost = reinterpret_cast<ToHost>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name"));
  if (!toHost) return "";
  char* host = toHost(Wide(windowsPath).c_str());
  if (!host) return "";
  std::string path = host;
  HeapFree(GetProcessHeap(), 0, host);
  return path;
}

std::string RunHostShell(const std::string& command, DWORD timeoutMs) {
  if (GetFileAttributesA("Z:\\bin\\sh") == INVALID_FILE_ATTRIBUTES) return "no host shell at Z:\\bin\\sh";
  // A host program started from Wine gives no handle to wait on, so it leaves a mark when done.
  const std::string marker = FreshName("filora_mark");
  const std::string hostMarker = HostPath(marker);
  if (hostMarker.empty()) return "not running under Wine";
  std::string line = "Z:\\bin\\sh -c \"" + command + "; touch '" + hostMarker + "'\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    return "the host shell could not be started";
  if (info.hProcess) CloseHandle(info.hProcess);
  if (info.hThread) CloseHandle(info.hThread);
  const DWORD deadline = GetTickCount() + timeoutMs;
  while (GetFileAttributesA(marker.c_str()) == INVALID_FILE_ATTRIBUTES) {
    if (TimeLeft(deadline) == 0) return "the host shell did not finish: " + command;
    Sleep(20);
  }
  DeleteFileA(marker.c_str());
  return "";
}

// Wine reports no attributes for a link to a device, but opens it.
static bool Exists(const std::string& path) {
  if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  HANDLE h = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}

HostLink::HostLink(const std::string& link, const std::string& target) : hostLink_(HostPath(link)) {
  if (hostLink_.empty()) {
    why_ = "no host system to make links in (not Wine)";
    return;
  }
  std::string hostTarget = target;
  for (char& c : hostTarget)
    if (c == '\\') c = '/';
  // A link left by an earlier run that did not finish goes first.
  why_ = RunHostShell("rm -f '" + hostLink_ + "'; ln -s '" + hostTarget + "' '" + hostLink_ + "'");
  if (why_.empty() && !Exists(link)) why_ = "the link is not seen";
}

HostLink::~HostLink() {
  if (!hostLink_.empty()) RunHostShell("rm -f '" + hostLink_ + "'");
}

FullFileSystem::FullFileSystem(const std::string& folder) : host_(HostPath(folder)) {
  if (host_.empty()) {
    why_ = "no host system to mount a file system on (not Wine)";
    return;
  }
  why_ = RunHostShell("mount -t tmpfs -o size=64k tmpfs '" + host_ + "' 2>/dev/null && dd if=/dev/zero of='" + host_ +
                      "/fill' bs=4k count=64 2>/dev/null");
  if (!why_.empty()) return;
  mounted_ = GetFileAttributesA((folder + "\\fill").c_str()) != INVALID_FILE_ATTRIBUTES;
  if (!mounted_) {
    why_ = "the host does not let this user mount a small file system";
    return;
  }
  // Full means a further write fails.
  const std::string probe = folder + "\\probe";
  HANDLE h = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h != INVALID_HANDLE_VALUE) {
    const std::string block(8192, 'p');
    DWORD written = 0;
    if (WriteFile(h, block.data(), static_cast<DWORD>(block.size()), &written, nullptr) && written == block.size())
      why_ = "the small file system did not fill up";
    CloseHandle(h);
    DeleteFileA(probe.c_str());
  }
}

FullFileSystem::~FullFileSystem() {
  if (mounted_) RunHostShell("umount '" + host_ + "'");
}

bool MakeLongDir(const std::string& path) {
  return CreateDirectoryW(LongForm(path).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool MakeLongFile(const std::string& path) {
  HANDLE h = CreateFileW(LongForm(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}

void RemoveLongTree(const std::string& path) {
  const std::wstring root = LongForm(path);
  std::vector<std::wstring> pending = {root}, folders;
  while (!pending.empty()) {
    const std::wstring dir = pending.back();
    pending.pop_back();
    folders.push_back(dir);
    WIN32_FIND_DATAW data;
    HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) continue;
    do {
      const std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = dir + L"\\" + name;
      if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        pending.push_back(child);
      else if (!DeleteFileW(child.c_str()))
        RemoveDirectoryW(child.c_str());
    } while (FindNextFileW(h, &data));
    FindClose(h);
  }
  // Deepest first: every folder comes after its parent in the list.
  for (auto it = folders.rbegin(); it != folders.rend(); ++it) RemoveDirectoryW(it->c_str());
}

HeldFile::HeldFile(const std::string& path, DWORD access)
    : handle_(CreateFileA(path.c_str(), access, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
HeldFile::~HeldFile() { Release(); }
void HeldFile::Release() {
  if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  handle_ = INVALID_HANDLE_VALUE;
}

namespace {
WNDPROC hookedProc;
HWND hookedWindow;
WindowHook::Handler* hookHandler;

LRESULT CALLBACK HookProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC original = hookedProc;
  if (hookHandler && (*hookHandler)(hwnd, message, wParam, lParam)) return 0;
  if (message == WM_NCDESTROY) {
    // The window is going: give it back its own procedure for its last message.
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    hookedWindow = nullptr;
  }
  return CallWindowProcA(original, hwnd, message, wParam, lParam);
}
}  // namespace

WindowHook::WindowHook(HWND window, Handler handler) {
  hookHandler = new Handler(std::move(handler));
  hookedWindow = window;
  hookedProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HookProc)));
}

WindowHook::~WindowHook() {
  if (hookedWindow && IsWindow(hookedWindow))
    SetWindowLongPtrA(hookedWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hookedProc));
  hookedWindow = nullptr;
  delete hookHandler;
  hookHandler = nullptr;
}

ScanWatchdog::ScanWatchdog(HWND window, DWORD timeoutMs) : window_(window), timeoutMs_(timeoutMs) {
  done_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
}

ScanWatchdog::~ScanWatchdog() {
  SetEvent(done_);
  if (WaitForSingleObject(thread_, 10000) == WAIT_TIMEOUT) TerminateThread(thread_, 1);
  CloseHandle(thread_);
  CloseHandle(done_);
}

bool ScanWatchdog::Fired() const { return fired_ != 0; }

DWORD WINAPI ScanWatchdog::Run(void* param) {
  auto* self = static_cast<ScanWatchdog*>(param);
  DWORD wait = self->timeoutMs_;
  while (WaitForSingleObject(self->done_, wait) == WAIT_TIMEOUT) {
    InterlockedExchange(&self->fired_, 1);
    PostMessageA(self->window_, WM_COMMAND, 32776 /* IDM_STOP */, 0);
    wait = 1000;
  }
  return 0;
}

bool TakeQuitMessage() {
  MSG msg;
  return PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}

ChildProgram::ChildProgram() : folder_(FreshName("filora_child")) {
  CreateDirectoryA(folder_.c_str(), nullptr);
  const std::string source = ExeFolder() + "\\FILORA.EXE";
  EXPECT_TRUE(CopyFileA(source.c_str(), ExePath().c_str(), FALSE)) << source;
}

ChildProgram::~ChildProgram() {
  if (info_.hProcess) {
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(info_.hProcess, 1);
      WaitForSingleObject(info_.hProcess, 10000);
    }
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
  }
  RemoveTree(folder_);
}

void ChildProgram::WriteIni(const char* key, const std::string& value) {
  WritePrivateProfileStringA("OPTION", key, value.c_str(), IniPath().c_str());
}

std::string ChildProgram::IniValue(const char* key) const {
  char value[4096];
  GetPrivateProfileStringA("OPTION", key, "<missing>", value, sizeof value, IniPath().c_str());
  return value;
}

static bool StartProcess(const std::string& exe, const std::string& folder, PROCESS_INFORMATION& info) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  std::string line = "\"" + exe + "\"";
  return CreateProcessA(exe.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup, &info) != 0;
}

bool ChildProgram::Start() { return StartProcess(ExePath(), folder_, info_); }

namespace {
struct WindowSearch {
  DWORD processId;
  HWND found;
};
BOOL CALLBACK FindProgramWindow(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  char cls[32] = "";
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == search->processId && GetClassNameA(hwnd, cls, sizeof cls) && lstrcmpA(cls, "FILORA") == 0 &&
      IsWindowVisible(hwnd)) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}
BOOL CALLBACK FindVisibleDialog(HWND hwnd, LPARAM param) {
  char cls[16] = "";
  if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd) && GetClassNameA(hwnd, cls, sizeof cls) &&
      lstrcmpA(cls, "#32770") == 0) {
    *reinterpret_cast<HWND*>(param) = hwnd;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

HWND ChildProgram::WaitForWindow(DWORD timeoutMs) {
  const DWORD deadline = GetTickCount() + timeoutMs;
  while (info_.hProcess) {
    WindowSearch search = {info_.dwProcessId, nullptr};
    EnumWindows(FindProgramWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) return window_ = search.found;
    if (TimeLeft(deadline) == 0 || WaitForSingleObject(info_.hProcess, 20) != WAIT_TIMEOUT) break;
  }
  return nullptr;
}

bool ChildProgram::WaitForExit(DWORD timeoutMs, DWORD* exitCode) {
  if (!info_.hProcess) return false;
  if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) {
    TerminateProcess(info_.hProcess, 1);
    WaitForSingleObject(info_.hProcess, 10000);
    return false;
  }
  GetExitCodeProcess(info_.hProcess, exitCode);
  return true;
}

bool ChildProgram::RunSecondInstance(DWORD timeoutMs, DWORD* exitCode) {
  PROCESS_INFORMATION second = {};
  if (!StartProcess(ExePath(), folder_, second)) return false;
  const bool ended = WaitForSingleObject(second.hProcess, timeoutMs) == WAIT_OBJECT_0;
  if (ended) {
    GetExitCodeProcess(second.hProcess, exitCode);
  } else {
    TerminateProcess(second.hProcess, 1);
    WaitForSingleObject(second.hProcess, 10000);
  }
  CloseHandle(second.hProcess);
  CloseHandle(second.hThread);
  return ended;
}

std::string ChildProgram::StatusText() const {
  HWND bar = FindWindowExA(window_, nullptr, "msctls_statusbar32", nullptr);
  char text[1024] = "";
  DWORD_PTR result = 0;
  if (!bar || !SendMessageTimeoutA(bar, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000,
                                   &result))
    return "";
  return text;
}

bool ChildProgram::WaitForStatus(const std::function<bool(const std::string&)>& test, DWORD timeoutMs) {
  const DWORD deadline = GetTickCount() + timeoutMs;
  for (;;) {
    if (test(StatusText())) return true;
    if (TimeLeft(deadline) == 0 || WaitForSingleObject(info_.hProcess, 10) != WAIT_TIMEOUT) return false;
  }
}

HWND ChildProgram::FindDialog() const {
  HWND dialog = nullptr;
  EnumThreadWindows(info_.dwThreadId, FindVisibleDialog, reinterpret_cast<LPARAM>(&dialog));
  return dialog;
}

HWND ChildProgram::WaitForDialog(DWORD timeoutMs, HWND besides) {
  const DWORD deadline = GetTickCount() + timeoutMs;
  for (;;) {
    HWND dialog = FindDialog();
    if (dialog && dialog != besides) return dialog;
    if (TimeLeft(deadline) == 0 || WaitForSingleObject(info_.hProcess, 20) != WAIT_TIMEOUT) return nullptr;
  }
}

void ChildProgram::Post(UINT message, WPARAM wParam, LPARAM lParam) const {
  PostMessageA(window_, message, wParam, lParam);
}

