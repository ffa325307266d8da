#pragma once
#include <cstdint>
#include <utility>
#include <vector>

// A row's tag as the list keeps it (a 32-bit LPARAM).
using RowTag = std::int32_t;

// The list sorts by comparing row tags; this gives the rank each tag's row is to take. Tags are
// mostly the small numbers of the insertion count, so a table indexed by the tag serves; widely
// spread tags are looked up in a sorted array instead. Tags must be distinct.
class RankOfTag {
 public:
  // rankOfRow[r] is the rank of the row with tags[r].
  RankOfTag(const std::vector<RowTag>& tags, const std::vector<int>& rankOfRow);
  int operator()(RowTag tag) const;

 private:
  RowTag lowest_ = 0;
  std::vector<int> table_;
  std::vector<std::pair<RowTag, int>> sorted_;
};

// Rows whose tag an earlier row already carries (tags repeat after deletions and appending
// scans): for the sort they are given unused tags from firstFreeTag up, and their own back
// afterwards. When no unused tags remain above the highest, every row is listed and
// firstFreeTag is 0: the rows are renumbered for the sort.
std::vector<int> RowsToRetag(const std::vector<RowTag>& tags, RowTag& firstFreeTag);
