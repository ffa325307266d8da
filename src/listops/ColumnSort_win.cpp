#include "listops/ColumnSort_win.h"

#include <string>
#include <vector>

#include "listops/SortCompare.h"
#include "scan/FileList_win.h"

void SortByColumn(HWND list, int column) {
  if (column < 0 || column >= kColumnCount) return;
  sortState[column] = sortState[column] == 1 ? 2 : 1;
  const int rows = RowCount(list);
  if (rows < 2) return;
  // Keys are read once, whole; the core orders them stably, so equal keys keep their order.
  std::vector<std::string> keys(rows);
  for (int r = 0; r < rows; ++r) ReadCellText(list, r, column, keys[r]);
  ReorderRows(list, SortedRowOrder(column, keys, sortState[column] == 2));
}
