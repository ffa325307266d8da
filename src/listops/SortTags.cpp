#include "listops/SortTags.h"

#include <algorithm>
#include <climits>
#include <cstdint>

RankOfTag::RankOfTag(const std::vector<RowTag>& tags, const std::vector<int>& rankOfRow) {
  if (tags.empty()) return;
  const auto range = std::minmax_element(tags.begin(), tags.end());
  lowest_ = *range.first;
  const long long span = static_cast<long long>(*range.second) - lowest_ + 1;
  if (span <= 4 * static_cast<long long>(tags.size()) + 4096) {
    table_.assign(static_cast<std::size_t>(span), 0);
    for (std::size_t r = 0; r < tags.size(); ++r) table_[static_cast<std::size_t>(tags[r] - lowest_)] = rankOfRow[r];
    return;
  }
  sorted_.reserve(tags.size());
  for (std::size_t r = 0; r < tags.size(); ++r) sorted_.emplace_back(tags[r], rankOfRow[r]);
  std::sort(sorted_.begin(), sorted_.end());
}

int RankOfTag::operator()(RowTag tag) const {
  if (!table_.empty()) return table_[static_cast<std::size_t>(static_cast<long long>(tag) - lowest_)];
  return std::lower_bound(sorted_.begin(), sorted_.end(), std::make_pair(tag, INT_MIN))->second;
}

std::vector<int> RowsToRetag(const std::vector<RowTag>& tags, RowTag& firstFreeTag) {
  firstFreeTag = 0;
  std::vector<std::pair<RowTag, int>> byTag;
  byTag.reserve(tags.size());
  for (std::size_t r = 0; r < tags.size(); ++r) byTag.emplace_back(tags[r], static_cast<int>(r));
  std::sort(byTag.begin(), byTag.end());
  std::vector<int> rows;
  for (std::size_t i = 1; i < byTag.size(); ++i) {
    if (byTag[i].first == byTag[i - 1].first) rows.push_back(byTag[i].second);
  }
  if (rows.empty()) return rows;
  const RowTag highest = byTag.back().first;
  if (static_cast<long long>(highest) + static_cast<long long>(rows.size()) <= INT32_MAX) {
    firstFreeTag = highest + 1;
    return rows;
  }
  rows.resize(tags.size());
  for (std::size_t r = 0; r < tags.size(); ++r) rows[r] = static_cast<int>(r);
  return rows;
}
