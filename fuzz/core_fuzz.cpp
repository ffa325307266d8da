// The core against oracles written here, not taken from it. The first input byte picks the
// property (byte % 4); the rest, split at NUL bytes, is its input.
#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

// Both forms of a path within 260-unit buffers, joined whole or not at all; the backslash after a
// folder follows the real text. Each byte of the input is one unit of the real text, and '?' in
// the 932 form where the byte is above 0x7F, as for a character that code page lacks.
static void PathProperties(const Strings& fields) {
  const std::string dirBytes = fields[0], nameBytes = fields.size() > 1 ? fields[1] : "";
  const auto wide = [](const std::string& bytes) { return std::wstring(bytes.begin(), bytes.end()); };
  const auto ansi = [](std::string bytes) {
    for (char& c : bytes) c = static_cast<unsigned char>(c) > 0x7F ? '?' : c;
    return bytes;
  };
  const auto exact = [](const std::string& bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) <= 0x7F; });
  };
  const std::wstring dirWide = wide(dirBytes), nameWide = wide(nameBytes);
  const std::string dirAnsi = ansi(dirBytes), nameAnsi = ansi(nameBytes);
  ScanPath dir, path;
  const bool add = dirWide.empty() || dirWide.back() != L'\\';
  const bool dirFits = dirBytes.size() + add <= kPathSize - 1;
  CHECK(MakeDirWithBackslash(dir, {dirWide.c_str(), dirAnsi.c_str(), exact(dirBytes)}) == dirFits);
  if (!dirFits) return;
  CHECK(dir.wide == dirWide + (add ? L"\\" : L"") && dir.ansi == dirAnsi + (add ? "\\" : ""));
  CHECK(dir.exact == exact(dirBytes));
  const bool fits = std::strlen(dir.ansi) + nameBytes.size() <= kPathSize - 1;
  CHECK(JoinPath(path, dir, {nameWide.c_str(), nameAnsi.c_str(), exact(nameBytes)}) == fits);
  CHECK(!fits || (path.wide == dir.wide + nameWide && path.ansi == dir.ansi + nameAnsi &&
                  path.exact == (exact(dirBytes) && exact(nameBytes))));
  std::vector<std::wstring> ancestors;
  for (std::size_t i = 0; i < dirWide.size(); ++i) {
    if (dirWide[i] == L'\\') ancestors.push_back(dirWide.substr(0, i + 1));
  }
  CHECK(AncestorFolders(dirWide.c_str()) == ancestors);
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

// strtoll of the same decimal or hex text, clamped to int; and the folder's form in the settings
// file, ASCII that reads back as the same bytes.
static void IniInteger(const std::string& text) {
  const std::string encoded = PercentEncode(text);
  std::string decoded;
  CHECK(PercentDecode(encoded, decoded) && decoded == text);
  CHECK(std::all_of(encoded.begin(), encoded.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }));
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

// A listing only from switches that take no value and pairs of a switch and a value, /save's not
// empty, no value longer than the 259 bytes the window's buffers hold, and a character code page
// 932 lacks (an argument starting with byte 1 here) only in a file or folder name; a refusal
// always says why.
static void CommandLineProperties(const Strings& fields) {
  std::vector<CommandArgument> args;
  for (const std::string& f : fields) args.push_back(!f.empty() && f[0] == 1 ? CommandArgument{f.substr(1), true} : CommandArgument{f});
  const CommandLine command = ParseCommandLine(args);
  CHECK((command.action == CommandLine::Action::Window) == args.empty());
  CHECK((command.action == CommandLine::Action::Refused) == !command.problem.empty());
  if (command.action != CommandLine::Action::Listing) return;
  CHECK(command.save > 0 && !args[command.save].text.empty());
  for (int at : {command.save, command.folder, command.filter}) {
    if (at < 0) continue;
    const std::string& before = args[at - 1].text;  // the switch the value follows
    CHECK(args[at].text.size() < kPathSize && (before[0] == '/' || before[0] == '-'));
  }
  for (std::size_t i = 0; i < args.size(); ++i)
    CHECK(!args[i].lost || static_cast<int>(i) == command.save || static_cast<int>(i) == command.folder);
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
