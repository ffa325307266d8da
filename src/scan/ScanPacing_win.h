#pragma once
#include <windows.h>

#include <string>

// The status bar repaints at once on every new text, and a list that repaints redraws its scroll
// bars for every inserted row; either costs more than listing a file. The scan's texts are
// therefore shown at a pace a reader can follow, and the list shows its rows at intervals; both
// are brought up to date before a message is handled (its handler sees what is current) and at
// the end of each pass.
class ScanPacing {
 public:
  void Attach(HWND statusBar, HWND list);
  // The folder being counted, as it really is, shown when due.
  void ShowFolder(const wchar_t* dir);
  // The listing progress, and the rows listed so far, shown when due.
  void ShowProgress(int count, int total);
  void ShowStatusNow();

  // The listing pass keeps the list from repainting between the intervals.
  void BeginListing();
  void EndListing();
  void ShowListWhenDue();
  // Around a message handled during the scan: it may sort, delete rows, open a dialog over the
  // list or start a nested scan, so the list repaints meanwhile. Returns what AfterMessage needs.
  bool BeforeMessage(UINT message);
  void AfterMessage(bool woken);

 private:
  enum class Due { Nothing, Folder, Progress };
  void ShowStatusWhenDue(Due due);
  void QuietList(bool quiet);

  HWND statusBar_ = nullptr;
  HWND list_ = nullptr;
  Due due_ = Due::Nothing;
  std::wstring dueFolder_;
  int dueCount_ = 0, dueTotal_ = 0;
  DWORD statusShownAt_ = 0;
  bool listQuiet_ = false;
  DWORD listShownAt_ = 0;
  // Whether the rows in view may differ from those last painted: a handled message may have
  // changed anything, and rows appended to a list that does not fill its view come into sight.
  bool viewMayHaveChanged_ = false;
};

// "count/total件" in the status bar, now.
void ShowProgressText(HWND statusBar, int count, int total);
