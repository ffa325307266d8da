// The core against oracles written here, not taken from it. The first input byte picks the
// property; the rest, split at NUL bytes, is its input.
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/ColumnTable.h"
#include "listops/CsvLine.h"
#include "listops/SortCompare.h"
#include "scan/PathJoin.h"
#include "settings/SettingsKeys.h"

// libFuzzer saves the input that stops the run.
#define CHECK(cond)                                                        \
  do {                                                                     \
    if (!(cond)) {                                                         \
      std::fprintf(stderr, "failed at line %d: %s\n", __LINE__, #cond);   \
      __builtin_trap();                                                    \
    }                                                                      \
  } while (0)

namespace {

using Strings = std::vector<std::string>;

// A CSV reader: quoted cells with "" for a quote, commas between, CR LF at the end.
void CsvRoundTrip(const Strings& fields) {
  Strings row(kColumnCount);
  for (int c = 0; c < kColumnCount; ++c) row[c] = fields[c % fields.size()];
  std::string line;
  AppendCsvLine(line, row.data(), kColumnCount);
  Strings cells;
  std::size_t i = 0;
  for (;;) {
    CHECK(i < line.size() && line[i] == '"');
    std::string cell;
    for (++i;; ++i) {
      CHECK(i < line.size());
      if (line[i] == '"' && line.compare(i, 2, "\"\"") != 0) break;
      if (line[i] == '"') ++i;
      cell += line[i];
    }
    cells.push_back(cell);
    if (line.compare(++i, 1, ",") != 0) break;
    ++i;
  }
  CHECK(line.substr(i) == "\r\n");
  CHECK(cells == row);
}

// Bounds of a 260-byte buffer, and code page 932 read from the start of the text.
void PathProperties(const Strings& fields) {
  const std::string& dir = fields[0];
  const std::string name = fields.size() > 1 ? fields[1] : "";
  char out[kPathSize];
  std::memset(out, 'k', sizeof out - 1);
  out[kPathSize - 1] = '\0';
  const std::string untouched = out;
  const bool fits = dir.size() + name.size() <= kPathSize - 1;
  CHECK(JoinPath(out, dir.c_str(), name.c_str()) == fits);
  CHECK(out == (fits ? dir + name : untouched));

  bool endsWithBackslash = false;
  Strings ancestors;
  for (std::size_t i = 0; i < dir.size(); ++i) {
    const unsigned char b = dir[i];
    endsWithBackslash = b == '\\';
    if (endsWithBackslash) ancestors.push_back(dir.substr(0, i + 1));
    if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) ++i;  // its trail byte, if any
  }
  CHECK(EndsWithBackslash932(dir.c_str()) == endsWithBackslash);
  CHECK(AncestorFolders932(dir.c_str()) == ancestors);
}

// A size cell as the list writes it: blanks, an optional minus, digits, within long long.
bool SizeNumber(const std::string& text, long long& value) {
  const std::size_t start = text.find_first_not_of(' ');
  if (start == std::string::npos) return false;
  const std::size_t digits = start + (text[start] == '-');
  if (digits == text.size() || text.find_first_not_of("0123456789", digits) != std::string::npos) return false;
  errno = 0;
  value = std::strtoll(text.c_str() + start, nullptr, 10);
  return errno == 0;
}

int PlainCompare(int column, const std::string& a, const std::string& b) {
  long long x = 0, y = 0;
  const bool aIsNumber = column == kSizeColumn && SizeNumber(a, x);
  const bool bIsNumber = column == kSizeColumn && SizeNumber(b, y);
  if (aIsNumber != bIsNumber) return aIsNumber ? 1 : -1;
  if (aIsNumber) return (x > y) - (x < y);
  const int c = a.compare(b);  // char_traits<char> compares as unsigned char
  return (c > 0) - (c < 0);
}

void SortOrder(std::uint8_t flags, const Strings& keys) {
  const int columns[] = {kNameColumn, kSizeColumn, kCreatedColumn, kPathColumn};
  const int column = columns[flags & 3];
  const bool descending = flags & 4;
  const std::vector<std::size_t> order = SortedRowOrder(column, keys, descending);
  CHECK(order.size() == keys.size());
  std::vector<bool> seen(keys.size());
  for (std::size_t row : order) {
    CHECK(row < keys.size() && !seen[row]);
    seen[row] = true;
  }
  for (std::size_t k = 1; k < order.size(); ++k) {
    const int c = PlainCompare(column, keys[order[k - 1]], keys[order[k]]);
    CHECK((descending ? -c : c) < 0 || (c == 0 && order[k - 1] < order[k]));
  }
}

void IniInteger(const std::string& text) {
  const int value = ParseIniInt(text.c_str(), 7);
  // strtoll also skips CR, LF, VT and FF, which the profile reader keeps.
  const std::size_t p = text.find_first_not_of(" \t");
  if (p == std::string::npos || text.find_first_of("\n\v\f\r") != std::string::npos) return;
  const std::size_t q = p + (text[p] == '+' || text[p] == '-');
  const bool hex = text.compare(q, 2, "0x") == 0 || text.compare(q, 2, "0X") == 0;
  char* end = nullptr;
  const long long v = std::strtoll(text.c_str(), &end, hex ? 16 : 10);  // clamps to long long
  if (end == text.c_str() || *end != '\0') return;
  CHECK(value == (v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : static_cast<int>(v)));
}

Strings SplitAtNul(const std::uint8_t* data, std::size_t size) {
  Strings fields(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0) fields.emplace_back();
    else fields.back() += static_cast<char>(data[i]);
  }
  return fields;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  switch (data[0] % 4) {
    case 0: CsvRoundTrip(SplitAtNul(data + 1, size - 1)); break;
    case 1: PathProperties(SplitAtNul(data + 1, size - 1)); break;
    case 2: SortOrder(data[1], SplitAtNul(data + 2, size - 2)); break;  // a flags byte, then the keys
    case 3: IniInteger(SplitAtNul(data + 1, size - 1)[0]); break;
  }
  return 0;
}
