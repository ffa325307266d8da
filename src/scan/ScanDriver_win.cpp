#include "scan/ScanDriver_win.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "app/MainWindow_win.h"
#include "scan/FileList_win.h"
#include "scan/FilterSplit.h"
#include "scan/FolderWalk_win.h"
#include "scan/ScanText.h"
#include "settings/SettingsFile_win.h"

int itemCounter;
int totalCount;
bool stopRequested;

static int scanDepth;        // nested scans: Start chosen while a stopped walk unwinds
static bool quitPending;     // a quit message taken off the queue during a scan
static WPARAM quitCode;
static bool listFull;

static bool WindowGone() { return MainWindow() == nullptr; }

bool ScanCancelled() { return WindowGone() || quitPending || listFull; }
void ReportListFull() { listFull = true; }

void UpdateProgress() {
  if (HWND bar = StatusBar())
    SendMessageA(bar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(FormatProgress(itemCounter, totalCount).c_str()));
}

void PumpOneMessage() {
  MSG msg;
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return;
  if (msg.message == WM_QUIT) {
    // Kept for the main loop: it is posted again once the scan has unwound.
    quitPending = true;
    quitCode = msg.wParam;
    return;
  }
  if (msg.message == WM_DROPFILES) {
    // A drop during a scan does not change the folder box, but its handle must still be freed.
    DragFinish(reinterpret_cast<HDROP>(msg.wParam));
    return;
  }
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
}

void StopScan() {
  stopRequested = true;
  SetBusyMenu(false);
}

static void RunPass(bool listing) {
  // The filter is copied afresh for every pass: a filter changed after Stop applies to the rest.
  for (const std::string& pattern : SplitFilter(settings.filter)) {
    if (ScanCancelled()) return;
    ScanFolder(settings.folder, pattern.c_str(), listing);
  }
}

static void FinishScan() {
  HWND list = FileListControl();
  for (int c = 0; c < kColumnCount; ++c) {
    if (list && settings.autoWidth) SendMessageA(list, LVM_SETCOLUMNWIDTH, c, MAKELPARAM(LVSCW_AUTOSIZE_USEHEADER, 0));
    sortState[c] = 0;
  }
  SetBusyMenu(false);
}

void StartScan() {
  HWND folderBox = FolderBox();
  if (!folderBox || WindowGone()) return;
  GetWindowTextA(folderBox, settings.folder, kPathSize);
  if (!settings.folder[0]) {
    MessageBoxA(nullptr, "検索するフォルダを選択して下さい。", "FILORA", MB_TASKMODAL | MB_ICONERROR);
    return;
  }
  SetBusyMenu(true);
  stopRequested = false;
  SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  ++scanDepth;
  if (settings.clearFirst) {
    SendMessageA(FileListControl(), LVM_DELETEALLITEMS, 0, 0);
    itemCounter = 0;
  }
  RunPass(false);
  totalCount = itemCounter;
  if (!WindowGone()) itemCounter = RowCount(FileListControl());
  RunPass(true);
  if (!WindowGone()) FinishScan();
  if (--scanDepth > 0) return;
  if (listFull && !WindowGone() && !quitPending)
    MessageBoxA(MainWindow(), "一覧に行をこれ以上追加できないため、検索を中断しました。", "FILORA",
                MB_ICONWARNING);
  listFull = false;
  if (quitPending) {
    quitPending = false;
    PostQuitMessage(static_cast<int>(quitCode));
  }
}
