// FileCells: sizes read back exactly, times are never cut, attributes map letter by bit.
#include "FuzzSupport.h"
#include "listops/SortCompare.h"
#include "scan/FileCells.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzReader in(data, size);
  const auto bytes = in.Take<std::uint64_t>();
  const std::uint8_t sizeShift = in.Take<std::uint8_t>();
  const std::uint64_t fileSize = bytes >> (sizeShift % 64);  // small sizes as often as large
  CalendarTime t;
  t.year = in.Take<int>();
  t.month = in.Take<int>();
  t.day = in.Take<int>();
  t.hour = in.Take<int>();
  t.minute = in.Take<int>();
  t.second = in.Take<int>();
  const auto flags = in.Take<std::uint8_t>();
  const auto attributes = in.Take<std::uint32_t>();
  const std::string shortName = in.Fields()[0];

  const std::string sizeText = FormatSize(fileSize);
  const std::string digits = std::to_string(fileSize);
  FUZZ_CHECK(sizeText.size() == (digits.size() < 10 ? 10 : digits.size()));
  FUZZ_CHECK(sizeText.compare(sizeText.size() - digits.size(), std::string::npos, digits) == 0);
  FUZZ_CHECK(sizeText.find_first_not_of(' ') == sizeText.size() - digits.size());
  long long parsed = 0;
  if (fileSize <= 9223372036854775807ull) {
    FUZZ_CHECK(ParseSizeCell(sizeText, parsed));
    FUZZ_CHECK(static_cast<std::uint64_t>(parsed) == fileSize);
  }

  const bool isSet = flags & 1;
  const bool withTime = flags & 2;
  const std::string timeText = FormatFileTime(isSet, t, withTime);
  if (!isSet) {
    FUZZ_CHECK(timeText == "(不明)");
  } else {
    int f[6] = {};
    int consumed = -1;
    const int got = withTime ? std::sscanf(timeText.c_str(), "%d-%d-%d %d:%d:%d%n", &f[0], &f[1],
                                           &f[2], &f[3], &f[4], &f[5], &consumed)
                             : std::sscanf(timeText.c_str(), "%d-%d-%d%n", &f[0], &f[1], &f[2],
                                           &consumed);
    FUZZ_CHECK(got == (withTime ? 6 : 3));
    FUZZ_CHECK(static_cast<std::size_t>(consumed) == timeText.size());
    FUZZ_CHECK(f[0] == t.year && f[1] == t.month && f[2] == t.day);
    if (withTime) FUZZ_CHECK(f[3] == t.hour && f[4] == t.minute && f[5] == t.second);
  }

  const std::string attrText = FormatAttributes(attributes);
  std::string letters;
  const struct {
    std::uint32_t bit;
    char letter;
  } order[] = {{0x4, 'S'}, {0x2, 'H'}, {0x1, 'R'}, {0x20, 'A'}};
  for (const auto& o : order) {
    if (attributes & o.bit) letters += o.letter;
  }
  FUZZ_CHECK(attrText == (letters.empty() ? std::string(" ") : letters));

  const std::string cell = ShortNameCell(shortName.c_str());
  FUZZ_CHECK(cell == (shortName.empty() ? std::string(" ") : shortName));
  return 0;
}
