#include "scan/FilterSplit.h"

#include "common/Limits.h"

std::vector<std::string> SplitFilter(const char* filter) {
  // The filter was held in a kPathSize buffer: anything past its 259th byte never arrived,
  // even when that cuts a double-byte character in half.
  std::string text;
  if (filter != nullptr) {
    std::size_t len = 0;
    while (len < kPathSize - 1 && filter[len] != '\0') ++len;
    text.assign(filter, len);
  }
  if (text.empty()) text = "*.*";

  // ';' (0x3B) is never a CP932 trail byte, so a plain byte split is safe.
  std::vector<std::string> pieces;
  std::size_t start = 0;
  for (;;) {
    const std::size_t semi = text.find(';', start);
    if (semi == std::string::npos) {
      pieces.push_back(text.substr(start));
      return pieces;
    }
    pieces.push_back(text.substr(start, semi - start));
    start = semi + 1;
  }
}

bool MatchesEveryName(const std::string& pattern) { return pattern == "*.*"; }
