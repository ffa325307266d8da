#pragma once
#include <windows.h>

// What the walk reports to the pass that drives it, and asks of it.
class WalkSink {
 public:
  // True once the walk must unwind at once.
  virtual bool Cancelled() = 0;
  // A folder is entered; dir ends in a backslash.
  virtual void EnterFolder(const char* dir) = 0;
  // A file matching the pattern, with its full path.
  virtual void File(const WIN32_FIND_DATAA& data, const char* path) = 0;
  // A folder's files are done; false when its subfolders are not to be entered.
  virtual bool FilesDone() = 0;

 protected:
  ~WalkSink() = default;
};

// Reports the files of folder that match pattern, then walks its subfolders (when
// includeSubfolders), depth first in the platform's order. Folders whose names begin with a dot
// and folder links that lead back up are not entered; entries whose path would not fit in
// kPathSize are left out.
void ScanFolder(const char* folder, const char* pattern, bool includeSubfolders, WalkSink& sink);
