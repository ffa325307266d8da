// SplitFilter: the pieces put back together are the (cut) filter, or "*.*" when it was empty.
#include <algorithm>

#include "FuzzSupport.h"
#include "scan/FilterSplit.h"
#include "scan/PathJoin.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string filter = FuzzReader(data, size).Fields()[0];
  const std::vector<std::string> pieces = SplitFilter(filter.c_str());

  std::string used = filter.substr(0, kPathSize - 1);
  if (used.empty()) used = "*.*";
  FUZZ_CHECK(pieces.size() ==
             static_cast<std::size_t>(std::count(used.begin(), used.end(), ';')) + 1);
  std::string joined;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    FUZZ_CHECK(pieces[i].find(';') == std::string::npos);
    if (i > 0) joined += ';';
    joined += pieces[i];
  }
  FUZZ_CHECK(joined == used);
  return 0;
}
