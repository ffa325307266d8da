#include "scan/ScanDriver_win.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "app/MainWindow_win.h"
#include "scan/FileCells_win.h"
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

// The status bar repaints at once on every new text, which costs more than listing a file. The
// walk's texts are therefore shown at a pace a reader can follow, before any message is handled
// (its handler sees what is current) and at the end of each pass.
constexpr DWORD kStatusInterval = 100;  // ms
enum class Due { Nothing, Folder, Progress };
static Due statusDue = Due::Nothing;
static std::string dueFolder;
static DWORD statusShownAt;

static void ShowStatusNow() {
  if (statusDue == Due::Folder) {
    if (HWND bar = StatusBar()) SendMessageA(bar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(dueFolder.c_str()));
  } else if (statusDue == Due::Progress) {
    UpdateProgress();
  } else {
    return;
  }
  statusDue = Due::Nothing;
  statusShownAt = GetTickCount();
}

static void ShowStatusWhenDue(Due due) {
  statusDue = due;
  if (GetTickCount() - statusShownAt >= kStatusInterval) ShowStatusNow();
}

// A list that repaints redraws its scroll bars for every inserted row, which makes a long
// listing many times slower. The listing pass keeps it from repainting, and lets it show its
// rows every kListInterval, while a message is handled, and at the end.
constexpr DWORD kListInterval = 500;  // ms
static bool listQuiet;
static DWORD listShownAt;
// Whether the rows in view may differ from those last painted: a handled message may have
// changed anything, and rows appended to a list that does not fill its view come into sight.
static bool viewMayHaveChanged;

static bool ViewIsFull(HWND list) {
  const int top = static_cast<int>(SendMessageA(list, LVM_GETTOPINDEX, 0, 0));
  const int perPage = static_cast<int>(SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0));
  // Even the row cut off at the bottom is there, so rows appended now stay out of view.
  return top + perPage < RowCount(list);
}

static void QuietList(bool quiet) {
  HWND list = FileListControl();
  listQuiet = quiet && list;
  if (!list) return;
  SendMessageA(list, WM_SETREDRAW, quiet ? FALSE : TRUE, 0);
  if (!quiet) InvalidateRect(list, nullptr, TRUE);
}

static void ShowListWhenDue() {
  if (!listQuiet || GetTickCount() - listShownAt < kListInterval) return;
  QuietList(false);
  // Letting it repaint has updated the scroll bars already; when nothing else in view can have
  // changed, the rest is left as it is painted.
  if (HWND list = FileListControl()) {
    if (viewMayHaveChanged) {
      UpdateWindow(list);
      viewMayHaveChanged = !ViewIsFull(list);
    } else {
      RedrawWindow(list, nullptr, nullptr, RDW_VALIDATE | RDW_NOFRAME | RDW_NOERASE | RDW_ALLCHILDREN);
    }
  }
  QuietList(true);
  listShownAt = GetTickCount();
}

void ShowScanFolder(const char* dir) {
  dueFolder = dir;
  ShowStatusWhenDue(Due::Folder);
}

void ShowScanProgress() {
  ShowStatusWhenDue(Due::Progress);
  ShowListWhenDue();
}

// Paints, timers and mouse moves neither change rows nor open dialogs; letting the list repaint
// for each of them would cost a full repaint per folder.
static bool MayNeedTheList(UINT message) {
  constexpr UINT kSystemTimer = 0x0118;  // caret blinks
  return message != WM_PAINT && message != WM_TIMER && message != kSystemTimer && message != WM_MOUSEMOVE &&
         message != WM_NCMOUSEMOVE;
}

void PumpOneMessage() {
  ShowListWhenDue();
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
  // The handler may sort, delete rows, open a dialog over the list or start a nested scan.
  ShowStatusNow();
  viewMayHaveChanged = true;
  const bool wake = listQuiet && MayNeedTheList(msg.message);
  if (wake) QuietList(false);
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
  if (wake) QuietList(true);
}

void StopScan() {
  stopRequested = true;
  SetBusyMenu(false);
}

static void RunPass(bool listing) {
  // The filter is copied afresh for every pass: a filter changed after Stop applies to the rest.
  for (const std::string& pattern : SplitFilter(settings.filter)) {
    if (ScanCancelled()) break;
    ScanFolder(settings.folder, pattern.c_str(), listing);
  }
  ShowStatusNow();
}

static void FinishScan() {
  HWND list = FileListControl();
  if (list && settings.autoWidth) SizeColumnsToContent(list);
  for (int c = 0; c < kColumnCount; ++c) sortState[c] = 0;
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
  BeginScanCells();
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
  viewMayHaveChanged = true;
  listShownAt = GetTickCount();
  QuietList(true);
  RunPass(true);
  if (!WindowGone()) FinishScan();
  QuietList(false);
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
