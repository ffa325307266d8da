#include "listops/RowActions_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "app/MainWindow_win.h"
#include "common/ColumnTable.h"
#include "scan/FileList_win.h"
#include "scan/ScanDriver_win.h"

static ShellExecuteFunction shellOpen = ShellExecuteA;

void SetShellOpenForTest(ShellExecuteFunction open) { shellOpen = open ? open : ShellExecuteA; }

static bool IsSelected(HWND list, int row) {
  return SendMessageA(list, LVM_GETITEMSTATE, row, LVIS_SELECTED) != 0;
}

void OnListKeyDown(WORD virtualKey) {
  switch (virtualKey) {
    case VK_DELETE: DeleteSelectedRows(); break;
    case VK_RETURN: OpenSelectedRows(); break;
  }
}

void DeleteSelectedRows() {
  HWND list = FileListControl();
  if (!list) return;
  // From the bottom up, so a deletion moves only rows already looked at.
  for (int row = RowCount(list) - 1; row >= 0; --row) {
    if (IsSelected(list, row)) SendMessageA(list, LVM_DELETEITEM, row, 0);
  }
  itemCounter = totalCount = RowCount(list);
  UpdateProgress();
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
