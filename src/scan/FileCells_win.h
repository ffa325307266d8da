#pragma once
#include <windows.h>

#include <string>

// Sets cells 1 to 16 of the row at index from the file's directory entry and full path.
void FillFileCells(HWND list, int index, const WIN32_FIND_DATAA& data, const char* fullPath);

// The cell text of a file time as wall-clock time in zone (nullptr: this machine's zone),
// with the daylight-saving rule in force at that time rather than today's.
std::string FormatLocalFileTime(const FILETIME& time, bool withTimeOfDay, const TIME_ZONE_INFORMATION* zone);
