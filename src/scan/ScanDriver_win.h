#pragma once

extern int itemCounter;
extern int totalCount;
extern bool stopRequested;

void StartScan();
void StopScan();
void UpdateProgress();
void PumpOneMessage();

// What the walk shows in the status bar: the folder being counted, or the listing progress.
// Shown at a readable pace rather than at every call, and always before a message is handled.
void ShowScanFolder(const char* dir);
void ShowScanProgress();

// True once the scan must unwind at once: the window is gone, the program is to quit,
// or the list holds no more rows.
bool ScanCancelled();
// Tells the scan that a row could not be inserted.
void ReportListFull();
