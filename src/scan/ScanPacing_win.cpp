#include "scan/ScanPacing_win.h"

#include <commctrl.h>

#include "scan/FileList_win.h"
#include "scan/ScanPace.h"
#include "scan/ScanText.h"

namespace {

constexpr DWORD kStatusInterval = 100;  // ms
constexpr DWORD kListInterval = 500;    // ms

void SetStatusText(HWND statusBar, const char* text) {
  if (statusBar) SendMessageA(statusBar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text));
}

void SetStatusText(HWND statusBar, const wchar_t* text) {
  if (statusBar) SendMessageW(statusBar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text));
}

// Paints, timers and mouse moves neither change rows nor open dialogs; letting the list repaint
// for each of them would cost a full repaint per folder.
bool MayNeedTheList(UINT message) {
  constexpr UINT kSystemTimer = 0x0118;  // caret blinks
  return message != WM_PAINT && message != WM_TIMER && message != kSystemTimer && message != WM_MOUSEMOVE &&
         message != WM_NCMOUSEMOVE;
}

}  // namespace

void ShowProgressText(HWND statusBar, int count, int total) {
  SetStatusText(statusBar, FormatProgress(count, total).c_str());
}

void ScanPacing::Attach(HWND statusBar, HWND list) {
  statusBar_ = statusBar;
  list_ = list;
}

void ScanPacing::ShowStatusNow() {
  if (due_ == Due::Folder)
    SetStatusText(statusBar_, dueFolder_.c_str());
  else if (due_ == Due::Progress)
    ShowProgressText(statusBar_, dueCount_, dueTotal_);
  else
    return;
  due_ = Due::Nothing;
  statusShownAt_ = GetTickCount();
}

void ScanPacing::ShowStatusWhenDue(Due due) {
  due_ = due;
  if (IntervalPassed(GetTickCount(), statusShownAt_, kStatusInterval)) ShowStatusNow();
}

void ScanPacing::ShowFolder(const wchar_t* dir) {
  dueFolder_ = dir;
  ShowStatusWhenDue(Due::Folder);
}

void ScanPacing::ShowProgress(int count, int total) {
  dueCount_ = count;
  dueTotal_ = total;
  ShowStatusWhenDue(Due::Progress);
  ShowListWhenDue();
}

void ScanPacing::QuietList(bool quiet) {
  const bool listThere = list_ && IsWindow(list_);
  listQuiet_ = quiet && listThere;
  if (!listThere) return;
  SendMessageA(list_, WM_SETREDRAW, quiet ? FALSE : TRUE, 0);
  if (!quiet) InvalidateRect(list_, nullptr, TRUE);
}

void ScanPacing::BeginListing() {
  viewMayHaveChanged_ = true;
  listShownAt_ = GetTickCount();
  QuietList(true);
}

void ScanPacing::EndListing() { QuietList(false); }

void ScanPacing::ShowListWhenDue() {
  if (!listQuiet_ || !IntervalPassed(GetTickCount(), listShownAt_, kListInterval)) return;
  QuietList(false);
  // Letting it repaint has updated the scroll bars already; when nothing else in view can have
  // changed, the rest is left as it is painted.
  if (IsWindow(list_)) {
    if (viewMayHaveChanged_) {
      UpdateWindow(list_);
      viewMayHaveChanged_ = !ViewIsFull(static_cast<int>(SendMessageA(list_, LVM_GETTOPINDEX, 0, 0)),
                                        static_cast<int>(SendMessageA(list_, LVM_GETCOUNTPERPAGE, 0, 0)),
                                        RowCount(list_));
    } else {
      RedrawWindow(list_, nullptr, nullptr, RDW_VALIDATE | RDW_NOFRAME | RDW_NOERASE | RDW_ALLCHILDREN);
    }
  }
  QuietList(true);
  listShownAt_ = GetTickCount();
}

bool ScanPacing::BeforeMessage(UINT message) {
  ShowStatusNow();
  viewMayHaveChanged_ = true;
  const bool wake = listQuiet_ && MayNeedTheList(message);
  if (wake) QuietList(false);
  return wake;
}

void ScanPacing::AfterMessage(bool woken) {
  if (woken) QuietList(true);
}
