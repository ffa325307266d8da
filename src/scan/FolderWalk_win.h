#pragma once
#include <windows.h>

#include <string>

#include "scan/PathJoin.h"

// What the walk reports to the pass that drives it, and asks of it.
class WalkSink {
 public:
  // True once the walk must unwind at once.
  virtual bool Cancelled() = 0;
  // A folder is entered; dir ends in a backslash.
  virtual void EnterFolder(const ScanPath& dir) = 0;
  // A file matching the pattern: its directory entry, its full path, its name's 932 form.
  virtual void File(const WIN32_FIND_DATAW& data, const ScanPath& path, const char* name) = 0;
  // A folder's files are done; false when its subfolders are not to be entered.
  virtual bool FilesDone() = 0;

 protected:
  ~WalkSink() = default;
};

// Reports the files of folder that match pattern (code page 932), then walks its subfolders (when
// includeSubfolders), depth first in the platform's order, reaching every entry by its real name.
// Folders whose names begin with a dot and folder links that lead back up are not entered; entries
// whose path would not fit in kPathSize in either form are left out.
void ScanFolder(const wchar_t* folder, const std::string& pattern, bool includeSubfolders, WalkSink& sink);
