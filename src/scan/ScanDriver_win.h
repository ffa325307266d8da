#pragma once

extern int itemCounter;
extern int totalCount;
extern bool stopRequested;

void StartScan();
void StopScan();
void UpdateProgress();
void PumpOneMessage();

// True once the scan must unwind at once: the window is gone, the program is to quit,
// or the list holds no more rows.
bool ScanCancelled();
// Tells the scan that a row could not be inserted.
void ReportListFull();
