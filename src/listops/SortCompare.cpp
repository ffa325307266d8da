#include "listops/SortCompare.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "common/ColumnTable.h"

int CompareCellBytes(const std::string& a, const std::string& b) {
  const std::size_t n = std::min(a.size(), b.size());
  const int r = n == 0 ? 0 : std::memcmp(a.data(), b.data(), n);  // memcmp compares unsigned
  if (r != 0) return r < 0 ? -1 : 1;
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool ParseSizeCell(const std::string& text, long long& value) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && text[i] == '-') {
    negative = true;
    ++i;
  }
  if (i == text.size()) return false;
  // Magnitude in unsigned so that LLONG_MIN parses and overflow is caught without UB.
  const unsigned long long limit =
      negative ? static_cast<unsigned long long>(LLONG_MAX) + 1 : LLONG_MAX;
  unsigned long long magnitude = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return false;
    const unsigned digit = static_cast<unsigned>(c - '0');
    if (magnitude > (limit - digit) / 10) return false;
    magnitude = magnitude * 10 + digit;
  }
  value = negative ? static_cast<long long>(0ULL - magnitude) : static_cast<long long>(magnitude);
  return true;
}

namespace {

struct SizeKey {
  bool isNumber;
  long long number;
};

SizeKey ToSizeKey(const std::string& text) {
  SizeKey key{false, 0};
  key.isNumber = ParseSizeCell(text, key.number);
  return key;
}

int CompareSizeKeys(const SizeKey& ka, const SizeKey& kb, const std::string& a,
                    const std::string& b) {
  if (ka.isNumber && kb.isNumber) return ka.number < kb.number ? -1 : (ka.number > kb.number);
  if (ka.isNumber != kb.isNumber) return ka.isNumber ? 1 : -1;  // text before numbers
  return CompareCellBytes(a, b);
}

}  // namespace

std::vector<std::size_t> SortedRowOrder(int column, const std::vector<std::string>& keys,
                                        bool descending) {
  std::vector<std::size_t> order(keys.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;

  // Descending swaps the arguments rather than reversing the result, so that rows with equal
  // keys keep their current order either way.
  if (column == kSizeColumn) {
    std::vector<SizeKey> parsed;  // parsed once, not on every comparison
    parsed.reserve(keys.size());
    for (const std::string& k : keys) parsed.push_back(ToSizeKey(k));
    std::stable_sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) {
      if (descending) std::swap(x, y);
      return CompareSizeKeys(parsed[x], parsed[y], keys[x], keys[y]) < 0;
    });
  } else {
    std::stable_sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) {
      if (descending) std::swap(x, y);
      return CompareCellBytes(keys[x], keys[y]) < 0;
    });
  }
  return order;
}
