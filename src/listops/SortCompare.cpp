#include "listops/SortCompare.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>

#include "common/ColumnTable.h"

// Plain unsigned byte order of whole texts: -1, 0 or +1.
static int CompareCellBytes(const std::string& a, const std::string& b) {
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

// Text keys in unsigned byte order by radix, stable: time in proportion to the bytes that tell the
// keys apart, where comparing keys grows faster than the rows (and slows on the long prefixes that
// paths share). Each pass orders a run of rows by 7 bytes from an offset; rows still equal go on to
// the next 7 bytes, small runs are compared whole.
struct Head {
  std::uint64_t bytes;
  std::size_t row;
};

// 7 bytes from at, then how many bytes the key still has from at, up to 8: a key that ends sorts
// before a longer one with the same bytes, and 8 means the rest decides.
std::uint64_t HeadAt(const std::string& key, std::size_t at) {
  std::uint64_t head = 0;
  for (std::size_t i = at; i < at + 7; ++i)
    head = head << 8 | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0);
  return head << 8 | std::min<std::size_t>(key.size() > at ? key.size() - at : 0, 8);
}

// Least significant byte first, each pass stable.
void SortByHead(Head* first, Head* last, std::vector<Head>& spare) {
  const std::size_t n = static_cast<std::size_t>(last - first);
  spare.resize(n);
  for (int shift = 0; shift < 64; shift += 8) {
    std::size_t start[257] = {};
    for (const Head* h = first; h != last; ++h) ++start[(h->bytes >> shift & 0xFF) + 1];
    if (start[(first->bytes >> shift & 0xFF) + 1] == n) continue;  // one byte value: nothing moves
    for (int b = 0; b < 256; ++b) start[b + 1] += start[b];
    for (const Head* h = first; h != last; ++h) spare[start[h->bytes >> shift & 0xFF]++] = *h;
    std::copy(spare.begin(), spare.end(), first);
  }
}

std::vector<std::size_t> SortedTextOrder(const std::vector<std::string>& keys, bool descending) {
  constexpr std::size_t kCompareBelow = 32;
  std::vector<Head> heads(keys.size()), spare;
  for (std::size_t r = 0; r < keys.size(); ++r) heads[r].row = r;
  const auto before = [&](const Head& x, const Head& y) {
    return CompareCellBytes(keys[descending ? y.row : x.row], keys[descending ? x.row : y.row]) < 0;
  };
  struct Run {
    std::size_t begin, end, at;
  };
  // The bytes every key shares (the folder scanned, for paths) are read once, in row order.
  std::size_t shared = keys.empty() ? 0 : keys[0].size();
  for (const std::string& k : keys) {
    const auto end = k.begin() + static_cast<std::ptrdiff_t>(std::min(shared, k.size()));
    shared = static_cast<std::size_t>(std::mismatch(k.begin(), end, keys[0].begin()).first - k.begin());
  }
  std::vector<Run> runs = {{0, heads.size(), shared}};
  while (!runs.empty()) {
    const Run run = runs.back();
    runs.pop_back();
    Head* first = heads.data() + run.begin;
    Head* last = heads.data() + run.end;
    if (run.end - run.begin < kCompareBelow) {
      std::stable_sort(first, last, before);
      continue;
    }
    // Descending orders by the complement: rows with equal keys still keep their order.
    for (Head* h = first; h != last; ++h) h->bytes = HeadAt(keys[h->row], run.at) ^ (descending ? ~0ULL : 0);
    SortByHead(first, last, spare);
    for (std::size_t i = run.begin, j; i < run.end; i = j) {
      for (j = i + 1; j < run.end && heads[j].bytes == heads[i].bytes;) ++j;
      if (j - i > 1 && ((heads[i].bytes ^ (descending ? ~0ULL : 0)) & 0xFF) == 8) runs.push_back({i, j, run.at + 7});
    }
  }
  std::vector<std::size_t> order(keys.size());
  for (std::size_t i = 0; i < heads.size(); ++i) order[i] = heads[i].row;
  return order;
}

}  // namespace

std::vector<std::size_t> SortedRowOrder(int column, const std::vector<std::string>& keys,
                                        bool descending) {
  if (column != kSizeColumn) return SortedTextOrder(keys, descending);
  std::vector<std::size_t> order(keys.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  // Descending swaps the arguments rather than reversing the result, so that rows with equal
  // keys keep their current order either way.
  std::vector<SizeKey> parsed;  // parsed once, not on every comparison
  parsed.reserve(keys.size());
  for (const std::string& k : keys) parsed.push_back(ToSizeKey(k));
  std::stable_sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) {
    if (descending) std::swap(x, y);
    return CompareSizeKeys(parsed[x], parsed[y], keys[x], keys[y]) < 0;
  });
  return order;
}
