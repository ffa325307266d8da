#include "scan/ScanDriver_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <memory>
#include <string>

#include "common/ColumnTable.h"
#include "scan/ColumnAutoWidth_win.h"
#include "scan/FileCells_win.h"
#include "scan/FileList_win.h"
#include "scan/FilterSplit.h"
#include "scan/FolderWalk_win.h"
#include "scan/ReadAhead_win.h"
#include "scan/ScanPacing_win.h"
#include "settings/SettingsFile_win.h"

int itemCounter;
int totalCount;
bool stopRequested;

const char kNoFolderText[] = "検索するフォルダを選択して下さい。";
const char kListFullText[] = "一覧に行をこれ以上追加できないため、検索を中断しました。";

namespace {

// Shared by a scan and the scans nested in it.
struct ScanState {
  int depth = 0;             // nested scans: Start chosen while a stopped walk unwinds
  bool quitPending = false;  // a quit message taken off the queue during a scan
  WPARAM quitCode = 0;
  bool listFull = false;     // no room for another row
  ScanPacing pacing;
  CellCache cells;
  std::wstring folder;       // of the last scan started
};
ScanState scan;

bool WindowGone(const ScanWindows& w) { return !IsWindow(w.owner); }

bool ScanCancelled(const ScanWindows& w) { return WindowGone(w) || scan.quitPending || scan.listFull; }

void PumpOneMessage() {
  scan.pacing.ShowListWhenDue();
  MSG msg;
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return;
  if (msg.message == WM_QUIT) {
    // Kept for the main loop: it is posted again once the scan has unwound.
    scan.quitPending = true;
    scan.quitCode = msg.wParam;
    return;
  }
  if (msg.message == WM_DROPFILES) {
    // A drop during a scan does not change the folder box, but its handle must still be freed.
    DragFinish(reinterpret_cast<HDROP>(msg.wParam));
    return;
  }
  const bool woken = scan.pacing.BeforeMessage(msg.message);
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
  scan.pacing.AfterMessage(woken);
}

// One pass of the walk: counting, or listing a row per file.
class Pass : public WalkSink {
 public:
  Pass(const ScanWindows& windows, bool listing) : w_(windows), listing_(listing) {}
  bool Cancelled() override { return ScanCancelled(w_); }
  void EnterFolder(const ScanPath& dir) override {
    if (!listing_) scan.pacing.ShowFolder(dir.wide);
  }
  void File(const WIN32_FIND_DATAW& data, const ScanPath& path, const char* name) override {
    if (listing_) {
      if (!InsertFileRow(w_.list, itemCounter, name)) {
        scan.listFull = true;
        return;
      }
      if (!path.exact) SetRealPath(w_.list, itemCounter, path.wide);
      FillFileCells(w_.list, itemCounter, data, path, ahead_->MayHoldVersionData(path.wide), scan.cells);
    }
    ++itemCounter;
    if (listing_) scan.pacing.ShowProgress(itemCounter, totalCount);
  }
  bool FilesDone() override {
    PumpOneMessage();
    return !stopRequested;
  }

  void Run() {
    // The filter is copied afresh for every pass: a filter changed after Stop applies to the rest.
    for (const std::string& pattern : SplitFilter(settings.filter)) {
      if (Cancelled()) break;
      const bool subfolders = settings.includeSubfolders != 0;
      if (listing_) ahead_ = std::make_unique<ReadAhead>(settings.folder, pattern, subfolders);
      ScanFolder(settings.folder, pattern, subfolders, *this);
      ahead_.reset();
    }
    scan.pacing.ShowStatusNow();
  }

 private:
  const ScanWindows& w_;
  bool listing_;
  std::unique_ptr<ReadAhead> ahead_;  // while listing
};

void FinishScan(const ScanWindows& w) {
  if (w.list && settings.autoWidth) SizeColumnsToContent(w.list);
  for (int c = 0; c < kColumnCount; ++c) sortState[c] = 0;
  w.setBusy(false);
}

}  // namespace

void StopScan() { stopRequested = true; }

const wchar_t* ScannedFolder() { return scan.folder.c_str(); }

void SetListedCount(HWND statusBar, int rows) {
  itemCounter = totalCount = rows;
  ShowProgressText(statusBar, itemCounter, totalCount);
}

ScanEnd StartScan(const ScanWindows& w) {
  if (!w.folderBox || WindowGone(w)) return ScanEnd::Listed;
  GetWindowTextW(w.folderBox, settings.folder, kPathSize);
  if (!settings.folder[0]) {
    if (!w.quiet) MessageBoxA(nullptr, kNoFolderText, "FILORA", MB_TASKMODAL | MB_ICONERROR);
    return ScanEnd::NoFolder;
  }
  w.setBusy(true);
  scan.folder = settings.folder;
  scan.pacing.Attach(w.statusBar, w.list);
  scan.cells.Begin();
  stopRequested = false;
  SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  ++scan.depth;
  if (settings.clearFirst) {
    ClearFileList(w.list);
    itemCounter = 0;
  }
  Pass(w, false).Run();
  totalCount = itemCounter;
  if (!WindowGone(w)) itemCounter = RowCount(w.list);
  scan.pacing.BeginListing();
  Pass(w, true).Run();
  if (!WindowGone(w)) FinishScan(w);
  scan.pacing.EndListing();
  if (--scan.depth > 0) return ScanEnd::Listed;
  const bool listFull = scan.listFull;
  if (listFull && !WindowGone(w) && !scan.quitPending && !w.quiet)
    MessageBoxA(w.owner, kListFullText, "FILORA", MB_ICONWARNING);
  scan.listFull = false;
  if (scan.quitPending) {
    scan.quitPending = false;
    PostQuitMessage(static_cast<int>(scan.quitCode));
  }
  return listFull ? ScanEnd::ListFull : ScanEnd::Listed;
}
