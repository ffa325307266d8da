#pragma once
#include <windows.h>

#include <string>

#include "common/Handles_win.h"
#include "scan/ReadAheadQueue.h"

// Probes the files a listing walk is about to meet, on a thread of its own that walks the same
// folders with the same pattern, so that waiting for the disk overlaps the work on each row: on a
// tree not read lately, that wait is a third of the scan.
class ReadAhead {
 public:
  ReadAhead(const wchar_t* folder, const std::string& pattern, bool includeSubfolders);
  ~ReadAhead();
  ReadAhead(const ReadAhead&) = delete;
  ReadAhead& operator=(const ReadAhead&) = delete;
  // Whether the file at path may hold version data: found ahead when it could be, else now.
  bool MayHoldVersionData(const wchar_t* path);

 private:
  static DWORD WINAPI Walk(void* self);
  const std::wstring folder_;
  const std::string pattern_;
  const bool includeSubfolders_;
  ReadAheadQueue queue_{256};
  ThreadHandle thread_;
};
