#include "scan/FolderWalk_win.h"

#include <memory>
#include <string>
#include <vector>

#include "common/Handles_win.h"
#include "common/TextConvert_win.h"
#include "scan/FilterSplit.h"
#include "scan/NativeFileSystem_win.h"

namespace {

// What every level of one walk shares.
struct Walk {
  std::wstring pattern;
  std::string patternAnsi;
  bool matchesAll;  // the pattern meets every entry, so the file search finds the subfolders too
  bool includeSubfolders;
  WalkSink& sink;
};

// One level's working text, kept on the heap so that a deep tree does not exhaust the stack.
struct Level {
  ScanPath dir, path;
  WIN32_FIND_DATAW data;
  std::string name;  // the entry's name in code page 932
  std::vector<std::wstring> subfolders;
};

HANDLE FindFirst(const wchar_t* search, WIN32_FIND_DATAW& data) {
  const NativeFileSystem native;
  return FindFirstFileW(search, &data);
}

bool IsFolder(const WIN32_FIND_DATAW& data) { return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

// level.path = level.dir + name, in both forms; false when it does not fit.
bool JoinName(Level& level, const wchar_t* name) {
  bool lost = false;
  level.name = NameTo932(name, &lost);
  return JoinPath(level.path, level.dir, {name, level.name.c_str(), !lost});
}

// Volume and file index name a folder however it is reached.
bool FolderId(const wchar_t* path, BY_HANDLE_FILE_INFORMATION& id) {
  const NativeFileSystem native;
  FileHandle folder(CreateFileW(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  return folder.Valid() && GetFileInformationByHandle(folder.Get(), &id) != 0;
}

bool SameFolder(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b) {
  return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
         a.nFileIndexLow == b.nFileIndexLow;
}

// A folder link to the folder that holds it, or to any folder above, would have the walk go round
// and round; two such links in one folder double the walk at every level. Only links pay for this.
bool LeadsBackUp(Level& level) {
  if (!(level.data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
  BY_HANDLE_FILE_INFORMATION target, above;
  if (!JoinName(level, level.data.cFileName) || !FolderId(level.path.wide, target)) return false;
  for (const std::wstring& folder : AncestorFolders(level.dir.wide)) {
    if (FolderId(folder.c_str(), above) && SameFolder(above, target)) return true;
  }
  return false;
}

NameForms Forms(const ScanPath& path) { return {path.wide, path.ansi, path.exact}; }

bool IsSubfolder(Level& level) {
  return level.data.cFileName[0] != L'.' && IsFolder(level.data) && !LeadsBackUp(level);
}

void WalkFolder(const NameForms& folder, const Walk& walk) {
  WalkSink& sink = walk.sink;
  if (sink.Cancelled()) return;
  auto level = std::make_unique<Level>();
  if (!MakeDirWithBackslash(level->dir, folder)) return;
  sink.EnterFolder(level->dir);
  const NameForms pattern = {walk.pattern.c_str(), walk.patternAnsi.c_str(), true};
  bool subfoldersKnown = false;
  // An empty pattern matches no file; its folder is still walked.
  if (!walk.pattern.empty() && JoinPath(level->path, level->dir, pattern)) {
    FindHandle find(FindFirst(level->path.wide, level->data));
    bool more = find.Valid();
    for (; more && !sink.Cancelled(); more = FindNextFileW(find.Get(), &level->data) != 0) {
      if (!IsFolder(level->data)) {
        // A file whose path would not fit is left out of both passes alike.
        if (JoinName(*level, level->data.cFileName)) sink.File(level->data, level->path, level->name.c_str());
      } else if (walk.matchesAll && IsSubfolder(*level)) {
        level->subfolders.emplace_back(level->data.cFileName);
      }
    }
    subfoldersKnown = walk.matchesAll && !more;
  }
  if (!sink.FilesDone() || !walk.includeSubfolders || sink.Cancelled()) return;
  // The callee copies the path before it searches, so this level's buffer can carry it.
  if (subfoldersKnown) {
    for (const std::wstring& name : level->subfolders) {
      if (sink.Cancelled()) break;
      if (JoinName(*level, name.c_str())) WalkFolder(Forms(level->path), walk);
    }
    return;
  }
  if (!JoinPath(level->path, level->dir, {L"*.*", "*.*", true})) return;
  FindHandle find(FindFirst(level->path.wide, level->data));
  for (bool more = find.Valid(); more && !sink.Cancelled(); more = FindNextFileW(find.Get(), &level->data) != 0) {
    if (IsSubfolder(*level) && JoinName(*level, level->data.cFileName)) WalkFolder(Forms(level->path), walk);
  }
}

}  // namespace

void ScanFolder(const wchar_t* folder, const std::string& pattern, bool includeSubfolders, WalkSink& sink) {
  bool lost = false;
  const std::string folderAnsi = NameTo932(folder, &lost);
  // A pattern matches as the platform matches it against the real names.
  const Walk walk = {WideFrom932(pattern), pattern, MatchesEveryName(pattern), includeSubfolders, sink};
  WalkFolder({folder, folderAnsi.c_str(), !lost}, walk);
}
