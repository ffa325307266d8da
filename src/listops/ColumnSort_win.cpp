#include "listops/ColumnSort_win.h"

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "listops/SortCompare.h"
#include "listops/SortTags.h"
#include "scan/FileList_win.h"

namespace {

RowTag TagOfRow(HWND list, int row) {
  LVITEMA item = {};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  return static_cast<RowTag>(item.lParam);
}

void SetRowTag(HWND list, int row, RowTag tag) {
  LVITEMA item = {};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  item.lParam = tag;
  SendMessageA(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

int CALLBACK CompareRanks(LPARAM tag1, LPARAM tag2, LPARAM ranks) {
  const RankOfTag& rankOf = *reinterpret_cast<const RankOfTag*>(ranks);
  const int rank1 = rankOf(static_cast<RowTag>(tag1)), rank2 = rankOf(static_cast<RowTag>(tag2));
  return rank1 < rank2 ? -1 : (rank1 > rank2 ? 1 : 0);
}

}  // namespace

void SortByColumn(HWND list, int column) {
  if (column < 0 || column >= kColumnCount) return;
  sortState[column] = sortState[column] == 1 ? 2 : 1;
  const int rows = RowCount(list);
  if (rows < 2) return;

  // Keys are read once, whole; the core ranks them stably, so equal keys keep their order.
  std::vector<std::string> keys(rows);
  std::vector<char> buffer;
  for (int r = 0; r < rows; ++r) ReadCellText(list, r, column, keys[r], buffer);
  const std::vector<std::size_t> order = SortedRowOrder(column, keys, sortState[column] == 2);
  std::vector<int> rankOfRow(rows);
  for (int rank = 0; rank < rows; ++rank) rankOfRow[order[rank]] = rank;

  std::vector<RowTag> tags(rows);
  for (int r = 0; r < rows; ++r) tags[r] = TagOfRow(list, r);

  // Redraw is off meanwhile: otherwise every tag change invalidates its row.
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  RowTag freeTag = 0;
  const std::vector<int> retagged = RowsToRetag(tags, freeTag);
  std::vector<RowTag> sortTags = tags;
  for (int row : retagged) {
    sortTags[row] = freeTag++;
    SetRowTag(list, row, sortTags[row]);
  }
  const RankOfTag rankOf(sortTags, rankOfRow);
  SendMessageA(list, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&rankOf), reinterpret_cast<LPARAM>(CompareRanks));
  for (int row : retagged) SetRowTag(list, rankOfRow[row], tags[row]);
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}
