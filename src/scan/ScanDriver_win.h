#pragma once
#include <windows.h>

extern int itemCounter;
extern int totalCount;
extern bool stopRequested;

// What a scan needs of the window it runs in.
struct ScanWindows {
  HWND owner;  // the scan unwinds at once when this window is gone
  HWND folderBox;
  HWND list;
  HWND statusBar;
  void (*setBusy)(bool busy);  // the menu and buttons of a running or an idle scan
};

// Counts, then lists, the files of the folder in the folder box that match the filter, handling
// the window's messages meanwhile. A Start chosen while a stopped scan unwinds runs nested.
void StartScan(const ScanWindows& windows);
// The walk finishes the folder it is in and enters no other.
void StopScan();
// After rows were removed: the counters and the status text say how many are left.
void SetListedCount(HWND statusBar, int rows);
