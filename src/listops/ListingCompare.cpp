#include "listops/ListingCompare.h"

#include <unordered_map>
#include <utility>

#include "listops/SortCompare.h"

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// Folding goes character by character, so a folded path starts with its folded folder.
class KeyMaker {
 public:
  KeyMaker(std::string_view folder, const std::function<std::string(std::string_view)>& fold)
      : folder_(fold(folder)), fold_(fold) {}
  std::string operator()(const ListingRow& row) const {
    std::string key = fold_(row[kPathColumn]);
    if (key.compare(0, folder_.size(), folder_) == 0) key.erase(0, folder_.size());
    return key;
  }

 private:
  std::string folder_;
  const std::function<std::string(std::string_view)>& fold_;
};

bool SameSize(const std::string& a, const std::string& b) {
  long long x = 0, y = 0;
  return ParseSizeCell(a, x) && ParseSizeCell(b, y) ? x == y : a == b;
}

std::vector<int> ChangedColumns(const ListingRow& now, const ListingRow& before) {
  std::vector<int> columns;
  if (!SameSize(now[kSizeColumn], before[kSizeColumn])) columns.push_back(kSizeColumn);
  for (int c : {kModifiedColumn, kAttributesColumn})
    if (now[c] != before[c]) columns.push_back(c);
  for (int c = kFirstVersionColumn; c < kPathColumn; ++c)
    if (now[c] != before[c]) columns.push_back(c);
  return columns;
}

}  // namespace

std::vector<Difference> CompareListings(const std::vector<ListingRow>& now, std::string_view nowFolder,
                                        const std::vector<ListingRow>& before, std::string_view beforeFolder,
                                        const std::function<std::string(std::string_view)>& fold) {
  // The rows of `before` by key: the first not yet paired, and each one's next with the same key.
  struct Chain {
    std::size_t first, last;
  };
  std::unordered_map<std::string, Chain> byKey;
  byKey.reserve(before.size());
  std::vector<std::size_t> next(before.size(), kNone);
  const KeyMaker beforeKey(beforeFolder, fold);
  for (std::size_t r = 0; r < before.size(); ++r) {
    const auto [it, added] = byKey.try_emplace(beforeKey(before[r]), Chain{r, r});
    if (!added) next[it->second.last] = r, it->second.last = r;
  }
  std::vector<Difference> differences;
  std::vector<bool> paired(before.size());
  const KeyMaker nowKey(nowFolder, fold);
  for (std::size_t r = 0; r < now.size(); ++r) {
    const auto it = byKey.find(nowKey(now[r]));
    if (it == byKey.end() || it->second.first == kNone) {
      differences.push_back({FileChange::Added, r, {}});
      continue;
    }
    const std::size_t partner = it->second.first;
    it->second.first = next[partner];
    paired[partner] = true;
    std::vector<int> columns = ChangedColumns(now[r], before[partner]);
    if (!columns.empty()) differences.push_back({FileChange::Changed, r, std::move(columns)});
  }
  for (std::size_t r = 0; r < before.size(); ++r)
    if (!paired[r]) differences.push_back({FileChange::Removed, r, {}});
  return differences;
}

const char* ChangeName(FileChange change) {
  switch (change) {
    case FileChange::Added: return "追加";
    case FileChange::Changed: return "変更";
    case FileChange::Removed: return "削除";
  }
  return "";
}

std::string ChangedColumnsText(const std::vector<int>& columns) {
  std::string text;
  for (int c : columns) {
    if (!text.empty()) text += ';';
    text += kColumns[c].header;
  }
  return text;
}

ChangeCounts CountChanges(const std::vector<Difference>& differences) {
  ChangeCounts counts;
  for (const Difference& d : differences) {
    switch (d.change) {
      case FileChange::Added: ++counts.added; break;
      case FileChange::Changed: ++counts.changed; break;
      case FileChange::Removed: ++counts.removed; break;
    }
  }
  return counts;
}

std::string ChangeCountsText(const ChangeCounts& counts) {
  return std::string("追加 ") + std::to_string(counts.added) + "件、変更 " + std::to_string(counts.changed) + "件、削除 " +
         std::to_string(counts.removed) + "件";
}

std::string EarlierUnreadableText(int line) {
  if (line <= 0) return "以前の一覧を読めません";
  return "以前の一覧ではありません (" + std::to_string(line) + " 行目)";
}
