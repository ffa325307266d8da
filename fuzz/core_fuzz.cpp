// The core against oracles written here, not taken from it. The first input byte picks the
// property (byte % 4); the rest, split at NUL bytes, is its input.
#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "common/ColumnTable.h"
#include "listops/SortCompare.h"
#include "scan/PathJoin.h"
#include "settings/SettingsKeys.h"

// libFuzzer saves the input that stops the run.
#define CHECK(cond) \
  do { if (!(cond)) { std::fprintf(stderr, "failed at line %d: %s\n", __LINE__, #cond); __builtin_trap(); } } while (0)

using Strings = std::vector<std::string>;

// Bounds of a 260-byte buffer, and code page 932 read from the start of the text.
static void PathProperties(const Strings& fields) {
  const std::string dir = fields[0], name = fields.size() > 1 ? fields[1] : "", untouched(kPathSize - 1, 'k');
  char out[kPathSize] = {};
  untouched.copy(out, kPathSize - 1);
  const bool fits = dir.size() + name.size() <= kPathSize - 1;
  CHECK(JoinPath(out, dir.c_str(), name.c_str()) == fits);
  CHECK(out == (fits ? dir + name : untouched));
  bool endsWithBackslash = false;
  Strings ancestors;
  for (std::size_t i = 0; i < dir.size(); ++i) {
    const unsigned char b = dir[i];
    if ((endsWithBackslash = b == '\\')) ancestors.push_back(dir.substr(0, i + 1));
    if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) ++i;  // its trail byte, if any
  }
  CHECK(EndsWithBackslash932(dir.c_str()) == endsWithBackslash);
  CHECK(AncestorFolders932(dir.c_str()) == ancestors);
}

// A size cell as the list writes it: blanks, an optional minus, digits, within long long.
static bool SizeNumber(const std::string& text, long long& value) {
  const char* end = text.c_str() + text.size();
  const std::size_t at = text.find_first_not_of(' ');  // from_chars reads a '-' but no '+' and no blanks
  const std::from_chars_result r = std::from_chars(at == std::string::npos ? end : text.c_str() + at, end, value);
  return r.ec == std::errc() && r.ptr == end;
}

// Numbers after the rest in the size column, by value; otherwise bytes compared unsigned.
static int PlainCompare(int column, const std::string& a, const std::string& b) {
  long long x = 0, y = 0;
  const bool size = column == kSizeColumn, aIsNumber = size && SizeNumber(a, x), bIsNumber = size && SizeNumber(b, y);
  if (aIsNumber != bIsNumber) return aIsNumber ? 1 : -1;
  const int c = aIsNumber ? (x > y) - (x < y) : a.compare(b);  // char_traits<char> compares as unsigned char
  return (c > 0) - (c < 0);
}

// Rows ordered by PlainCompare, equal keys in input order: a strict order, so with as many rows
// as keys, all in range, each row comes once.
static void SortOrder(std::uint8_t flags, const Strings& keys) {
  const int columns[] = {kNameColumn, kSizeColumn, kCreatedColumn, kPathColumn}, column = columns[flags & 3];
  const bool descending = flags & 4;
  const std::vector<std::size_t> order = SortedRowOrder(column, keys, descending);
  CHECK(order.size() == keys.size());
  for (std::size_t k = 0; k < order.size(); ++k) {
    CHECK(order[k] < keys.size());
    const int c = k ? PlainCompare(column, keys[order[k - 1]], keys[order[k]]) : 0;
    CHECK(k == 0 || (descending ? -c : c) < 0 || (c == 0 && order[k - 1] < order[k]));
  }
}

// strtoll of the same decimal or hex text, clamped to int.
static void IniInteger(const std::string& text) {
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

// A listing only from pairs of a switch and a value, /save's not empty, no value cut or longer than
// the 259 bytes the window's buffers hold; a refusal always says why.
static void CommandLineProperties(const Strings& args) {
  const CommandLine command = ParseCommandLine(args);
  CHECK((command.action == CommandLine::Action::Window) == args.empty());
  CHECK((command.action == CommandLine::Action::Refused) == !command.problem.empty());
  if (command.action != CommandLine::Action::Listing) return;
  CHECK(args.size() % 2 == 0 && !command.save.empty());
  for (const std::string* value : {&command.save, command.folder ? &*command.folder : nullptr,
                                   command.filter ? &*command.filter : nullptr})
    CHECK(!value || (value->size() < kPathSize && std::find(args.begin(), args.end(), *value) != args.end()));
}

static Strings SplitAtNul(const std::uint8_t* data, std::size_t size) {
  Strings fields(1);
  for (std::size_t i = 0; i < size; ++i) data[i] ? void(fields.back() += char(data[i])) : void(fields.emplace_back());
  return fields;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const Strings fields = SplitAtNul(data + 1, size - 1);
  switch (data[0] % 4) {
    case 0: IniInteger(fields[0]); break;
    case 1: PathProperties(fields); break;
    case 2: SortOrder(data[1], SplitAtNul(data + 2, size - 2)); break;  // a flags byte, then the keys
    case 3: CommandLineProperties(fields.size() == 1 && fields[0].empty() ? Strings() : fields); break;
  }
  return 0;
}
