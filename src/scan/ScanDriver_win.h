#pragma once
#include <windows.h>

extern int itemCounter;
extern int totalCount;
extern bool stopRequested;

// What a scan tells its user when it cannot start, and when the list ran out of room.
extern const char kNoFolderText[];
extern const char kListFullText[];

// What a scan needs of the window it runs in.
struct ScanWindows {
  HWND owner;  // the scan unwinds at once when this window is gone
  HWND folderBox;
  HWND list;
  HWND statusBar;              // may be null: no progress is shown
  void (*setBusy)(bool busy);  // the menu and buttons of a running or an idle scan
  bool quiet;                  // no message box: a run without a user learns the end from the result
};

enum class ScanEnd { Listed, NoFolder, ListFull };

// Counts, then lists, the files of the folder in the folder box that match the filter, handling
// the window's messages meanwhile. A Start chosen while a stopped scan unwinds runs nested.
ScanEnd StartScan(const ScanWindows& windows);
// The walk finishes the folder it is in and enters no other.
void StopScan();
// The folder the last scan started on, as the folder box named it.
const wchar_t* ScannedFolder();
// After rows were removed: the counters and the status text say how many are left.
void SetListedCount(HWND statusBar, int rows);
