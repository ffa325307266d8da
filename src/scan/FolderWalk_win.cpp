#include "scan/FolderWalk_win.h"

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/MainWindow_win.h"
#include "common/CodePage932.h"
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
  std::vector<std::string> subfolders;
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
  if (listing) ShowScanProgress();
}

// Volume and file index name a folder however it is reached.
bool FolderId(const char* path, BY_HANDLE_FILE_INFORMATION& id) {
  HANDLE h = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                         FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  const bool known = GetFileInformationByHandle(h, &id) != 0;
  CloseHandle(h);
  return known;
}

// A folder link to the folder that holds it, or to any folder above, would have the walk go round
// and round; two such links in one folder double the walk at every level. Every folder on the way
// down is a leading part of the path, so the link's target is compared with each of them. Only
// links pay for this.
bool LeadsBackUp(const Level& level) {
  if (!(level.data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
  char path[kPathSize];
  BY_HANDLE_FILE_INFORMATION target, above;
  if (!JoinPath(path, level.dir, level.data.cFileName) || !FolderId(path, target)) return false;
  for (int i = 0; level.dir[i]; ++i) {
    if (IsLeadByte932(static_cast<unsigned char>(level.dir[i])) && level.dir[i + 1]) {
      ++i;  // a trail byte can be 0x5C
      continue;
    }
    if (level.dir[i] != '\\') continue;
    std::memcpy(path, level.dir, i + 1);
    path[i + 1] = '\0';
    if (FolderId(path, above) && above.dwVolumeSerialNumber == target.dwVolumeSerialNumber &&
        above.nFileIndexHigh == target.nFileIndexHigh && above.nFileIndexLow == target.nFileIndexLow)
      return true;
  }
  return false;
}

bool IsSubfolder(const Level& level) {
  return level.data.cFileName[0] != '.' && IsFolder(level.data) && !LeadsBackUp(level);
}

}  // namespace

void ScanFolder(const char* folder, const char* pattern, bool listing) {
  if (ScanCancelled()) return;
  auto level = std::make_unique<Level>();
  if (!MakeDirWithBackslash(level->dir, folder)) return;
  if (!listing) ShowScanFolder(level->dir);
  // With the pattern "*.*" the search for files meets exactly the entries that the search for
  // subfolders would, in the same order, so their names are kept instead of searching twice.
  const bool matchesAll = std::strcmp(pattern, "*.*") == 0;
  bool subfoldersKnown = false;
  // An empty pattern matches no file; its folder is still walked.
  if (pattern[0] && JoinPath(level->path, level->dir, pattern)) {
    FindHandle find(level->path, level->data);
    bool more = find.Valid();
    for (; more && !ScanCancelled(); more = find.Next(level->data)) {
      if (!IsFolder(level->data))
        HandleFile(*level, listing);
      else if (matchesAll && IsSubfolder(*level))
        level->subfolders.emplace_back(level->data.cFileName);
    }
    subfoldersKnown = matchesAll && !more;
  }
  PumpOneMessage();
  if (stopRequested || !settings.includeSubfolders || ScanCancelled()) return;
  // The callee copies the path before it searches, so this level's buffer can carry it.
  if (subfoldersKnown) {
    for (const std::string& name : level->subfolders) {
      if (ScanCancelled()) break;
      if (JoinPath(level->path, level->dir, name.c_str())) ScanFolder(level->path, pattern, listing);
    }
    return;
  }
  if (!JoinPath(level->path, level->dir, "*.*")) return;
  FindHandle find(level->path, level->data);
  for (bool more = find.Valid(); more && !ScanCancelled(); more = find.Next(level->data)) {
    if (IsSubfolder(*level) && JoinPath(level->path, level->dir, level->data.cFileName))
      ScanFolder(level->path, pattern, listing);
  }
}
