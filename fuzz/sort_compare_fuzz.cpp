// SortedRowOrder: a permutation, in order by CompareCells, equal keys in their current order.
#include <algorithm>
#include <climits>

#include "FuzzSupport.h"
#include "listops/SortCompare.h"
#include "common/ColumnTable.h"

namespace {

int Sign(int v) { return (v > 0) - (v < 0); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzReader in(data, size);
  const auto flags = in.Take<std::uint8_t>();
  const int columns[] = {0, kSizeColumn, 3, kPathColumn};
  const int column = columns[flags & 3];
  const bool descending = flags & 4;
  const std::vector<std::string> keys = in.Fields();

  const std::vector<std::size_t> order = SortedRowOrder(column, keys, descending);
  FUZZ_CHECK(order.size() == keys.size());
  std::vector<bool> seen(keys.size(), false);
  for (std::size_t row : order) {
    FUZZ_CHECK(row < keys.size() && !seen[row]);
    seen[row] = true;
  }
  for (std::size_t k = 1; k < order.size(); ++k) {
    const int c = CompareCells(column, keys[order[k - 1]], keys[order[k]]);
    FUZZ_CHECK(descending ? c >= 0 : c <= 0);
    if (c == 0) FUZZ_CHECK(order[k - 1] < order[k]);
  }

  for (std::size_t i = 0; i + 1 < keys.size() && i < 8; ++i) {
    const std::string& a = keys[i];
    const std::string& b = keys[i + 1];
    const int bytes = CompareCellBytes(a, b);
    FUZZ_CHECK(bytes >= -1 && bytes <= 1);
    FUZZ_CHECK(bytes == Sign(a.compare(b)));  // char_traits<char> compares as unsigned char
    FUZZ_CHECK(Sign(CompareCells(column, a, b)) == -Sign(CompareCells(column, b, a)));
    FUZZ_CHECK(CompareCells(column, a, a) == 0);

    long long value = 0;
    if (ParseSizeCell(a, value)) {
      // The number written back in the shortest form reads as the same number.
      long long again = 1;
      FUZZ_CHECK(ParseSizeCell(std::to_string(value), again) && again == value);
      const std::size_t start = a.find_first_not_of(' ');
      FUZZ_CHECK(start != std::string::npos);
      FUZZ_CHECK(a.find_first_not_of("-0123456789", start) == std::string::npos);
    }
  }
  return 0;
}
