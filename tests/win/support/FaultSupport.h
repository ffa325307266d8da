#pragma once
#include <windows.h>

#include <functional>
#include <string>

// Runs a shell command line of the host system under Wine and waits (bounded) until it has
// finished. Empty on success, otherwise why it could not be run.
std::string RunHostShell(const std::string& command, DWORD timeoutMs = 10000);
// The host system's path of a Windows path, or "" when there is no host system below (not Wine).
std::string HostPath(const std::string& windowsPath);
// A link of the host system under Wine, named link (a Windows path) and leading to target (a
// host path, or one relative to the link's folder). It is removed when the object goes, whatever
// became of the test.
class HostLink {
 public:
  HostLink(const std::string& link, const std::string& target);
  ~HostLink();
  HostLink(const HostLink&) = delete;
  HostLink& operator=(const HostLink&) = delete;
  // Empty when the link was made, otherwise why it could not be.
  const std::string& Why() const { return why_; }

 private:
  std::string hostLink_, why_;
};

// A small file system of the host mounted on an empty folder and filled to the last byte;
// unmounted when the object goes.
class FullFileSystem {
 public:
  explicit FullFileSystem(const std::string& folder);
  ~FullFileSystem();
  FullFileSystem(const FullFileSystem&) = delete;
  FullFileSystem& operator=(const FullFileSystem&) = delete;
  // Empty when the full file system is in place, otherwise why it could not be made.
  const std::string& Why() const { return why_; }

 private:
  std::string host_, why_;
  bool mounted_ = false;
};

// Folders and files beyond the 260-byte limit, made and removed through the long-path prefix.
bool MakeLongDir(const std::string& path);
bool MakeLongFile(const std::string& path);
void RemoveLongTree(const std::string& path);

// Opens a file with no sharing, as another program holding it would; closed on destruction.
class HeldFile {
 public:
  explicit HeldFile(const std::string& path, DWORD access = GENERIC_READ);
  ~HeldFile();
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;
  bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }
  void Release();

 private:
  HANDLE handle_;
};

// Hands the messages of a window to the test before its own procedure sees them; the handler
// returns true for a message it has dealt with. Only one hook lives at a time.
class WindowHook {
 public:
  using Handler = std::function<bool(HWND, UINT, WPARAM, LPARAM)>;
  WindowHook(HWND window, Handler handler);
  ~WindowHook();
  WindowHook(const WindowHook&) = delete;
  WindowHook& operator=(const WindowHook&) = delete;
};

// Posts IDM_STOP to the window if the scan in progress has not returned after timeoutMs, so a walk
// that would not end is stopped and the test can report it instead of hanging.
class ScanWatchdog {
 public:
  ScanWatchdog(HWND window, DWORD timeoutMs);
  ~ScanWatchdog();
  ScanWatchdog(const ScanWatchdog&) = delete;
  ScanWatchdog& operator=(const ScanWatchdog&) = delete;
  bool Fired() const;

 private:
  HANDLE thread_ = nullptr;
  HANDLE done_ = nullptr;
  HWND window_;
  DWORD timeoutMs_;
  volatile LONG fired_ = 0;
  static DWORD WINAPI Run(void* self);
};

// True if a WM_QUIT is waiting in this thread's queue; it is taken off.
bool TakeQuitMessage();

// The program itself, FILORA.EXE from the test's folder, copied into a fresh folder of its own so
// that its settings file is private. Whatever still runs when the object goes is ended.
class ChildProgram {
 public:
  ChildProgram();
  ~ChildProgram();
  ChildProgram(const ChildProgram&) = delete;
  ChildProgram& operator=(const ChildProgram&) = delete;

  const std::string& Folder() const { return folder_; }
  std::string ExePath() const { return folder_ + "\\FILORA.EXE"; }
  std::string IniPath() const { return folder_ + "\\FILORA.INI"; }
  void WriteIni(const char* key, const std::string& value);
  std::string IniValue(const char* key) const;

  // Starts one more process of the copied program; false if it could not be started.
  bool Start();
  // Waits (bounded) for the main window of the first process to be shown.
  HWND WaitForWindow(DWORD timeoutMs = 20000);
  HWND Window() const { return window_; }
  DWORD ThreadId() const { return info_.dwThreadId; }
  // Waits (bounded) for the first process to end; on timeout it is ended and false returned.
  bool WaitForExit(DWORD timeoutMs, DWORD* exitCode);
  // Starts a second process of the same program in the same folder and waits (bounded) for it to
  // end; false if it did not end in time (it is then ended).
  bool RunSecondInstance(DWORD timeoutMs, DWORD* exitCode);

  // Text of the status bar of the child's window, read across the process boundary.
  std::string StatusText() const;
  // Polls (bounded) until the status text satisfies the test; false on timeout.
  bool WaitForStatus(const std::function<bool(const std::string&)>& test, DWORD timeoutMs);
  // The dialog box of the child's thread that takes input (the innermost one open), or NULL.
  HWND FindDialog() const;
  // Waits (bounded) for such a box other than `besides`.
  HWND WaitForDialog(DWORD timeoutMs, HWND besides = nullptr);

  void Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

 private:
  std::string folder_;
  PROCESS_INFORMATION info_ = {};
  HWND window_ = nullptr;
};


// Milliseconds left until a deadline taken with GetTickCount; 0 once it has passed.
DWORD TimeLeft(DWORD deadline);
