#include "scan/FolderWalk_win.h"

#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "app/MainWindow_win.h"
#include "scan/FileCells_win.h"
#include "scan/FileList_win.h"
#include "scan/PathJoin.h"
#include "scan/ScanDriver_win.h"
#include "settings/SettingsFile_win.h"

namespace {

class FindHandle {
 public:
  FindHandle(const char* searchPath, WIN32_FIND_DATAA& data) : handle_(FindFirstFileA(searchPath, &data)) {}
  ~FindHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
  }
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  bool Next(WIN32_FIND_DATAA& data) { return FindNextFileA(handle_, &data) != 0; }

 private:
  HANDLE handle_;
};

// One level's working text, kept on the heap so that a deep tree does not exhaust the stack.
struct Level {
  char dir[kPathSize];
  char path[kPathSize];
  WIN32_FIND_DATAA data;
};

bool IsFolder(const WIN32_FIND_DATAA& data) { return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

void HandleFile(Level& level, bool listing) {
  // A file whose path would not fit is left out of both passes alike.
  if (!JoinPath(level.path, level.dir, level.data.cFileName)) return;
  if (listing) {
    HWND list = FileListControl();
    if (!InsertFileRow(list, itemCounter, level.data.cFileName, itemCounter)) {
      ReportListFull();
      return;
    }
    FillFileCells(list, itemCounter, level.data, level.path);
  }
  ++itemCounter;
  if (listing) UpdateProgress();
}

}  // namespace

void ScanFolder(const char* folder, const char* pattern, bool listing) {
  if (ScanCancelled()) return;
  auto level = std::make_unique<Level>();
  if (!MakeDirWithBackslash(level->dir, folder)) return;
  if (!listing) {
    if (HWND bar = StatusBar()) SendMessageA(bar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(level->dir));
  }
  // An empty pattern matches no file; its folder is still walked.
  if (pattern[0] && JoinPath(level->path, level->dir, pattern)) {
    FindHandle find(level->path, level->data);
    for (bool more = find.Valid(); more && !ScanCancelled(); more = find.Next(level->data)) {
      if (!IsFolder(level->data)) HandleFile(*level, listing);
    }
  }
  PumpOneMessage();
  if (stopRequested || !settings.includeSubfolders || ScanCancelled()) return;
  if (!JoinPath(level->path, level->dir, "*.*")) return;
  FindHandle find(level->path, level->data);
  for (bool more = find.Valid(); more && !ScanCancelled(); more = find.Next(level->data)) {
    if (level->data.cFileName[0] == '.' || !IsFolder(level->data)) continue;
    // The callee copies the path before it searches, so this level's buffer can carry it.
    if (JoinPath(level->path, level->dir, level->data.cFileName)) ScanFolder(level->path, pattern, listing);
  }
}
