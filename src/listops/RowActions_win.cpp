#include "listops/RowActions_win.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "common/ColumnTable.h"
#include "scan/FileList_win.h"

void DeleteSelectedRows(HWND list) { RemoveRows(list, SelectedRows(list)); }

void OpenSelectedRows(HWND owner, HWND list, ShellOpenFunction open) {
  std::wstring path;
  // The count is read afresh: the shell may dispatch messages that change the list.
  for (int row = 0; row < RowCount(list); ++row) {
    if (!RowSelected(list, row)) continue;
    ReadCellText(list, row, kPathColumn, path);
    open(owner, L"open", path.c_str(), L"", L"", SW_SHOWNORMAL);
  }
}
