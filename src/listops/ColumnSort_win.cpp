#include "listops/ColumnSort_win.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "app/MainWindow_win.h"
#include "listops/SortCompare.h"
#include "scan/FileList_win.h"

namespace {

LPARAM RowTag(HWND list, int row) {
  LVITEMA item = {};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  return item.lParam;
}

void SetRowTag(HWND list, int row, LPARAM tag) {
  LVITEMA item = {};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  item.lParam = tag;
  SendMessageA(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

// The control hands the comparison two row tags; this finds the rank each row is to take.
// Tags are mostly the small numbers of the insertion count, so a table indexed by the tag serves;
// other tags are looked up in a sorted array.
class RankOfTag {
 public:
  RankOfTag(const std::vector<LPARAM>& tags, const std::vector<int>& rankOfRow) {
    const auto range = std::minmax_element(tags.begin(), tags.end());
    lowest_ = *range.first;
    const long long span = static_cast<long long>(*range.second) - lowest_ + 1;
    if (span <= 4 * static_cast<long long>(tags.size()) + 4096) {
      table_.assign(static_cast<std::size_t>(span), 0);
      for (std::size_t r = 0; r < tags.size(); ++r) table_[tags[r] - lowest_] = rankOfRow[r];
      return;
    }
    sorted_.reserve(tags.size());
    for (std::size_t r = 0; r < tags.size(); ++r) sorted_.emplace_back(tags[r], rankOfRow[r]);
    std::sort(sorted_.begin(), sorted_.end());
  }

  int operator()(LPARAM tag) const {
    if (!table_.empty()) return table_[tag - lowest_];
    return std::lower_bound(sorted_.begin(), sorted_.end(), std::make_pair(tag, INT_MIN))->second;
  }

 private:
  LPARAM lowest_ = 0;
  std::vector<int> table_;
  std::vector<std::pair<LPARAM, int>> sorted_;
};

int CALLBACK CompareRanks(LPARAM tag1, LPARAM tag2, LPARAM ranks) {
  const RankOfTag& rankOf = *reinterpret_cast<const RankOfTag*>(ranks);
  const int rank1 = rankOf(tag1), rank2 = rankOf(tag2);
  return rank1 < rank2 ? -1 : (rank1 > rank2 ? 1 : 0);
}

// Rows whose tag an earlier row already carries (tags can repeat after deletions): they are
// given unused tags for the sort and get their own back afterwards. Without room for unused
// tags every row is renumbered.
std::vector<int> RowsToRetag(const std::vector<LPARAM>& tags, LPARAM& firstFreeTag) {
  std::vector<std::pair<LPARAM, int>> byTag;
  byTag.reserve(tags.size());
  for (std::size_t r = 0; r < tags.size(); ++r) byTag.emplace_back(tags[r], static_cast<int>(r));
  std::sort(byTag.begin(), byTag.end());
  std::vector<int> rows;
  for (std::size_t i = 1; i < byTag.size(); ++i) {
    if (byTag[i].first == byTag[i - 1].first) rows.push_back(byTag[i].second);
  }
  if (rows.empty()) return rows;
  const LPARAM highest = byTag.back().first;
  if (highest <= LONG_MAX - static_cast<LPARAM>(rows.size())) {
    firstFreeTag = highest + 1;
    return rows;
  }
  firstFreeTag = 0;
  rows.resize(tags.size());
  for (std::size_t r = 0; r < tags.size(); ++r) rows[r] = static_cast<int>(r);
  return rows;
}

}  // namespace

void SortByColumn(int column) {
  if (column < 0 || column >= kColumnCount) return;
  sortState[column] = sortState[column] == 1 ? 2 : 1;
  HWND list = FileListControl();
  if (!list) return;
  const int rows = RowCount(list);
  if (rows < 2) return;

  // Keys are read once, whole; the core ranks them stably, so equal keys keep their order.
  std::vector<std::string> keys(rows);
  std::vector<char> buffer;
  for (int r = 0; r < rows; ++r) ReadCellText(list, r, column, keys[r], buffer);
  const std::vector<std::size_t> order = SortedRowOrder(column, keys, sortState[column] == 2);
  std::vector<int> rankOfRow(rows);
  for (int rank = 0; rank < rows; ++rank) rankOfRow[order[rank]] = rank;

  std::vector<LPARAM> tags(rows);
  for (int r = 0; r < rows; ++r) tags[r] = RowTag(list, r);

  // Redraw is off meanwhile: otherwise every tag change invalidates its row.
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  LPARAM freeTag = 0;
  const std::vector<int> retagged = RowsToRetag(tags, freeTag);
  std::vector<LPARAM> sortTags = tags;
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
