#pragma once
#include <windows.h>

#include <map>
#include <string>

#include "scan/PathJoin.h"

// What one scan keeps while it fills cells: asking the shell for a type name costs more than the
// rest of a row, and so does looking up the machine's time zone for every time.
class CellCache {
 public:
  // Every scan starts with this: type names are asked afresh, once per extension, and the zone is
  // read once for all the times of the scan.
  void Begin();
  const std::string& TypeName(const wchar_t* name, const wchar_t* path);
  // nullptr when the zone could not be read: each conversion then looks for itself.
  const TIME_ZONE_INFORMATION* Zone() const { return zoneOrNull_; }

 private:
  std::map<std::wstring, std::string> typeNames_;
  TIME_ZONE_INFORMATION zone_ = {};
  const TIME_ZONE_INFORMATION* zoneOrNull_ = nullptr;
};

// Sets cells 1 to 16 of the row at index from the file's directory entry and full path; the
// version cells are read only if mayHoldVersion.
void FillFileCells(HWND list, int index, const WIN32_FIND_DATAW& data, const ScanPath& path, bool mayHoldVersion,
                   CellCache& cache);

// The cell text of a file time as wall-clock time in zone (nullptr: this machine's zone),
// with the daylight-saving rule in force at that time rather than today's.
std::string FormatLocalFileTime(const FILETIME& time, bool withTimeOfDay, const TIME_ZONE_INFORMATION* zone);
