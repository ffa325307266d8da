#include "scan/FolderWalk_win.h"

#include <memory>
#include <string>
#include <vector>

#include "common/Handles_win.h"
#include "scan/FilterSplit.h"
#include "scan/NativeFileSystem_win.h"
#include "scan/PathJoin.h"

namespace {

// One level's working text, kept on the heap so that a deep tree does not exhaust the stack.
struct Level {
  char dir[kPathSize];
  char path[kPathSize];
  WIN32_FIND_DATAA data;
  std::vector<std::string> subfolders;
};

HANDLE FindFirst(const char* search, WIN32_FIND_DATAA& data) {
  const NativeFileSystem native;
  return FindFirstFileA(search, &data);
}

bool IsFolder(const WIN32_FIND_DATAA& data) { return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

// Volume and file index name a folder however it is reached.
bool FolderId(const char* path, BY_HANDLE_FILE_INFORMATION& id) {
  const NativeFileSystem native;
  FileHandle folder(CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  return folder.Valid() && GetFileInformationByHandle(folder.Get(), &id) != 0;
}

bool SameFolder(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b) {
  return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
         a.nFileIndexLow == b.nFileIndexLow;
}

// A folder link to the folder that holds it, or to any folder above, would have the walk go round
// and round; two such links in one folder double the walk at every level. Only links pay for this.
bool LeadsBackUp(const Level& level) {
  if (!(level.data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
  char path[kPathSize];
  BY_HANDLE_FILE_INFORMATION target, above;
  if (!JoinPath(path, level.dir, level.data.cFileName) || !FolderId(path, target)) return false;
  for (const std::string& folder : AncestorFolders932(level.dir)) {
    if (FolderId(folder.c_str(), above) && SameFolder(above, target)) return true;
  }
  return false;
}

bool IsSubfolder(const Level& level) {
  return level.data.cFileName[0] != '.' && IsFolder(level.data) && !LeadsBackUp(level);
}

}  // namespace

void ScanFolder(const char* folder, const char* pattern, bool includeSubfolders, WalkSink& sink) {
  if (sink.Cancelled()) return;
  auto level = std::make_unique<Level>();
  if (!MakeDirWithBackslash(level->dir, folder)) return;
  sink.EnterFolder(level->dir);
  // With the pattern "*.*" the search for files meets exactly the entries that the search for
  // subfolders would, in the same order, so their names are kept instead of searching twice.
  const bool matchesAll = MatchesEveryName(pattern);
  bool subfoldersKnown = false;
  // An empty pattern matches no file; its folder is still walked.
  if (pattern[0] && JoinPath(level->path, level->dir, pattern)) {
    FindHandle find(FindFirst(level->path, level->data));
    bool more = find.Valid();
    for (; more && !sink.Cancelled(); more = FindNextFileA(find.Get(), &level->data) != 0) {
      if (!IsFolder(level->data)) {
        // A file whose path would not fit is left out of both passes alike.
        if (JoinPath(level->path, level->dir, level->data.cFileName)) sink.File(level->data, level->path);
      } else if (matchesAll && IsSubfolder(*level)) {
        level->subfolders.emplace_back(level->data.cFileName);
      }
    }
    subfoldersKnown = matchesAll && !more;
  }
  if (!sink.FilesDone() || !includeSubfolders || sink.Cancelled()) return;
  // The callee copies the path before it searches, so this level's buffer can carry it.
  if (subfoldersKnown) {
    for (const std::string& name : level->subfolders) {
      if (sink.Cancelled()) break;
      if (JoinPath(level->path, level->dir, name.c_str())) ScanFolder(level->path, pattern, includeSubfolders, sink);
    }
    return;
  }
  if (!JoinPath(level->path, level->dir, "*.*")) return;
  FindHandle find(FindFirst(level->path, level->data));
  for (bool more = find.Valid(); more && !sink.Cancelled(); more = FindNextFileA(find.Get(), &level->data) != 0) {
    if (IsSubfolder(*level) && JoinPath(level->path, level->dir, level->data.cFileName))
      ScanFolder(level->path, pattern, includeSubfolders, sink);
  }
}
