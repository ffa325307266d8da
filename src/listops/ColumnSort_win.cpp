#include "listops/ColumnSort_win.h"

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "app/MainWindow_win.h"
#include "listops/SortCompare.h"
#include "scan/FileList_win.h"

static LPARAM RowTag(HWND list, int row) {
  LVITEMA item = {};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  return item.lParam;
}

static void SetRowTag(HWND list, int row, LPARAM tag) {
  LVITEMA item = {};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  item.lParam = tag;
  SendMessageA(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

// Each row carries its rank in the new order while the control sorts.
static int CALLBACK CompareRanks(LPARAM rank1, LPARAM rank2, LPARAM) {
  return rank1 < rank2 ? -1 : (rank1 > rank2 ? 1 : 0);
}

void SortByColumn(int column) {
  if (column < 0 || column >= kColumnCount) return;
  sortState[column] = sortState[column] == 1 ? 2 : 1;
  HWND list = FileListControl();
  if (!list) return;
  const int rows = RowCount(list);
  if (rows < 2) return;

  // Keys are read once, whole; the core ranks them stably, so equal keys keep their order.
  std::vector<std::string> keys(rows);
  for (int r = 0; r < rows; ++r) keys[r] = GetCellText(list, r, column);
  const std::vector<std::size_t> order = SortedRowOrder(column, keys, sortState[column] == 2);

  // Tags can repeat after deletions, so the control sorts by unique ranks, and each row gets
  // its own tag back once it stands at its rank. Redraw is off meanwhile: otherwise every tag
  // change invalidates its row, which takes seconds on a long list.
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  std::vector<LPARAM> tagAtRank(rows);
  for (int rank = 0; rank < rows; ++rank) {
    const int row = static_cast<int>(order[rank]);
    tagAtRank[rank] = RowTag(list, row);
    SetRowTag(list, row, rank);
  }
  SendMessageA(list, LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(CompareRanks));
  for (int rank = 0; rank < rows; ++rank) SetRowTag(list, rank, tagAtRank[rank]);
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}
