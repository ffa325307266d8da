#include "listops/RowActions_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstddef>
#include <string>
#include <vector>

#include "app/MainWindow_win.h"
#include "scan/ColumnTable.h"
#include "scan/FileList_win.h"
#include "scan/ScanDriver_win.h"

static ShellExecuteFunction shellOpen = ShellExecuteA;

void SetShellOpenForTest(ShellExecuteFunction open) { shellOpen = open ? open : ShellExecuteA; }

static bool IsSelected(HWND list, int row) {
  return SendMessageA(list, LVM_GETITEMSTATE, row, LVIS_SELECTED) != 0;
}

void OnListKeyDown(WORD virtualKey) {
  switch (virtualKey) {
    case VK_DELETE: {
      HWND list = FileListControl();
      if (!list) break;
      DeleteSelectedRows(list);
      itemCounter = totalCount = RowCount(list);
      UpdateProgress();
      break;
    }
    case VK_RETURN: OpenSelectedRows(); break;
  }
}

namespace {

// Keeps the list from repainting, and from updating its scroll bars, at every deleted row; it
// repaints once when the guard goes, however the function is left.
class RedrawOff {
 public:
  explicit RedrawOff(HWND list) : list_(list) { SendMessageA(list_, WM_SETREDRAW, FALSE, 0); }
  ~RedrawOff() {
    SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
  }
  RedrawOff(const RedrawOff&) = delete;
  RedrawOff& operator=(const RedrawOff&) = delete;

 private:
  HWND list_;
};

// Top to bottom. The control steps over unselected rows itself, without a message for each.
std::vector<int> SelectedRows(HWND list) {
  std::vector<int> rows;
  for (int row = -1;;) {
    const int next = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, row, LVNI_SELECTED));
    if (next <= row) break;
    rows.push_back(row = next);
  }
  return rows;
}

}  // namespace

void DeleteSelectedRows(HWND list) {
  if (!list) return;
  const std::vector<int> rows = SelectedRows(list);
  if (rows.empty()) return;
  RedrawOff quiet(list);
  // A deleted row that is still selected costs a search through the selection (Wine's control
  // searches it from the start, which made a scattered selection quadratic). Only rows about to
  // go are selected, so clearing the selection first changes no row that stays.
  LVITEMA none = {};
  none.stateMask = LVIS_SELECTED;
  SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
  // From the top: under Wine about as quick as from the bottom, and quicker when every row goes.
  // Each deletion moves the rows below it up by one.
  for (std::size_t i = 0; i < rows.size(); ++i)
    SendMessageA(list, LVM_DELETEITEM, static_cast<WPARAM>(rows[i] - static_cast<int>(i)), 0);
}

void OpenSelectedRows() {
  HWND list = FileListControl();
  if (!list) return;
  // The count is read afresh: the shell may dispatch messages that change the list.
  for (int row = 0; row < RowCount(list); ++row) {
    if (!IsSelected(list, row)) continue;
    const std::string path = GetCellText(list, row, kPathColumn);
    shellOpen(MainWindow(), "open", path.c_str(), "", "", SW_SHOWNORMAL);
  }
}
