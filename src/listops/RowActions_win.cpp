#include "listops/RowActions_win.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "common/ColumnTable.h"
#include "scan/FileList_win.h"

static bool IsSelected(HWND list, int row) {
  return SendMessageA(list, LVM_GETITEMSTATE, row, LVIS_SELECTED) != 0;
}

void DeleteSelectedRows(HWND list) {
  // From the bottom up, so a deletion moves only rows already looked at.
  for (int row = RowCount(list) - 1; row >= 0; --row) {
    if (IsSelected(list, row)) SendMessageA(list, LVM_DELETEITEM, row, 0);
  }
}

void OpenSelectedRows(HWND owner, HWND list, ShellOpenFunction open) {
  std::string path;
  std::vector<char> buffer;
  // The count is read afresh: the shell may dispatch messages that change the list.
  for (int row = 0; row < RowCount(list); ++row) {
    if (!IsSelected(list, row)) continue;
    ReadCellText(list, row, kPathColumn, path, buffer);
    open(owner, "open", path.c_str(), "", "", SW_SHOWNORMAL);
  }
}
