#pragma once
#include <windows.h>

#include <string>

// Sets cells 1 to 16 of the row at index from the file's directory entry and full path. Times are
// shown in the zone BeginScanCells read.
void FillFileCells(HWND list, int index, const WIN32_FIND_DATAA& data, const char* fullPath);

// Every scan starts with this: type names are asked afresh, once per extension, and the
// machine's time zone is read once for all the times of the scan.
void BeginScanCells();

// The cell text of a file time as wall-clock time in zone (nullptr: this machine's zone),
// with the daylight-saving rule in force at that time rather than today's.
std::string FormatLocalFileTime(const FILETIME& time, bool withTimeOfDay, const TIME_ZONE_INFORMATION* zone);
