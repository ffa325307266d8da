#include "settings/FilterHistory.h"

#include <algorithm>

namespace {

// The platform reads a value into a kFilterHistoryValueMax-byte buffer; longer text is cut.
std::string ReadCut(FilterHistoryStore& store, int number) {
  std::string value = store.Read(number);
  if (value.size() > kFilterHistoryValueMax) value.resize(kFilterHistoryValueMax);
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
