#include "settings/FilterHistory.h"

#include <algorithm>

#include "common/CodePage932.h"

namespace {

// Longer text is cut to kFilterHistoryValueMax bytes, never within a character.
std::string ReadCut(FilterHistoryStore& store, int number) {
  std::string value = store.Read(number);
  value.resize(WholeCharPrefix932(value, kFilterHistoryValueMax));
  return value;
}

}  // namespace

std::vector<std::string> ListFilterHistory(FilterHistoryStore& store) {
  std::vector<std::string> entries;
  for (int n = 1; n <= kFilterHistorySlots; ++n) {
    std::string value = ReadCut(store, n);
    if (!value.empty()) entries.push_back(std::move(value));
  }
  // Newest (highest number) first.
  std::reverse(entries.begin(), entries.end());
  return entries;
}

int AddToFilterHistory(FilterHistoryStore& store, const std::string& filter) {
  if (filter.empty()) return 0;
  int firstFree = 0;
  for (int n = 1; n <= kFilterHistorySlots; ++n) {
    const std::string value = ReadCut(store, n);
    if (value == filter) return 0;
    if (value.empty() && firstFree == 0) firstFree = n;
  }
  if (firstFree != 0) store.Write(firstFree, filter);
  return firstFree;
}
