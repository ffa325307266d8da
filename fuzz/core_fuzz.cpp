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

#include "common/ColumnTable.h"
#include "listops/CsvLine.h"
#include "listops/Listing.h"
#include "listops/SortCompare.h"
#include "scan/PathJoin.h"
#include "settings/SettingsKeys.h"

// libFuzzer saves the input that stops the run.
#define CHECK(cond) \
  do { if (!(cond)) { std::fprintf(stderr, "failed at line %d: %s\n", __LINE__, #cond); __builtin_trap(); } } while (0)

using Strings = std::vector<std::string>;

// Both forms of a path within kPathSize, joined whole or not at all, the backslash after a folder
// decided on the real text. Each input byte is a character of the real text; in the 932 form one
// from 0x80 to 0xBF is lost ('?') and one from 0xC0 on takes two bytes, the second 0x5C as in 表.
static void PathProperties(const Strings& fields) {
  std::wstring wide[2];
  std::string ansi[2];
  bool exact[2] = {true, true};
  for (int i : {0, 1}) {
    for (const char c : i < static_cast<int>(fields.size()) ? fields[i] : "") {
      const unsigned char b = c;
      wide[i] += b;
      ansi[i] += b < 0x80 ? std::string(1, c) : b < 0xC0 ? "?" : std::string{c, '\\'};
      exact[i] = exact[i] && (b < 0x80 || b >= 0xC0);
    }
  }
  ScanPath dir, path;
  const std::size_t slash = wide[0].empty() || wide[0].back() != L'\\';
  const bool dirFits = ansi[0].size() + slash < kPathSize;
  CHECK(MakeDirWithBackslash(dir, {wide[0].c_str(), ansi[0].c_str(), exact[0]}) == dirFits);
  if (!dirFits) return;
  CHECK(dir.wide == wide[0] + std::wstring(slash, L'\\') && dir.ansi == ansi[0] + std::string(slash, '\\'));
  const bool fits = std::strlen(dir.ansi) + ansi[1].size() < kPathSize;
  CHECK(JoinPath(path, dir, {wide[1].c_str(), ansi[1].c_str(), exact[1]}) == fits);
  CHECK(!fits || (path.wide == dir.wide + wide[1] && path.ansi == dir.ansi + ansi[1] && path.exact == (exact[0] && exact[1])));
  std::vector<std::wstring> ancestors;
  for (std::size_t i = 0; i < wide[0].size(); ++i) {
    if (wide[0][i] == L'\\') ancestors.push_back(wide[0].substr(0, i + 1));
  }
  CHECK(AncestorFolders(wide[0].c_str()) == ancestors);
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

// UTF-8 decoded here: each character the shortest form of a value up to U+10FFFF, no surrogate.
static bool DecodesAsUtf8(const std::string& text) {
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char b = text[i];
    const std::size_t length = b < 0x80 ? 1 : b < 0xC0 ? 0 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : b < 0xF8 ? 4 : 0;
    if (length == 0 || text.size() - i < length) return false;
    std::uint32_t value = length == 1 ? b : b & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
      if ((text[i + k] & 0xC0) != 0x80) return false;
      value = value << 6 | (text[i + k] & 0x3F);
    }
    const std::uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < least[length] || value > 0x10FFFF || (value >= 0xD800 && value < 0xE000)) return false;
    i += length;
  }
  return true;
}

static std::string WrittenListing(bool utf8, const std::vector<ListingRow>& rows) {
  std::string text = utf8 ? "\xEF\xBB\xBF" : "";
  for (const ListingRow& row : rows) AppendCsvLine(text, row.data(), kColumnCount);
  return text;
}

// Cells in rows of 17 as the export writes them read back the same, after the UTF-8 mark too, where
// the first row with a cell that is not UTF-8 is refused at its line (lines end at CR LF). Raw bytes
// that the reader takes are exactly what writing its rows back gives.
static void ListingProperties(const std::string& raw, const Strings& cells) {
  std::vector<ListingRow> rows((cells.size() + kColumnCount - 1) / kColumnCount);
  for (std::size_t i = 0; i < cells.size(); ++i) rows[i / kColumnCount][i % kColumnCount] = cells[i];
  Listing listing;
  int line = -1;
  for (bool utf8 : {false, true}) {
    int badLine = 0, lines = 1;
    for (const ListingRow& row : rows) {
      if (utf8 && badLine == 0 && !std::all_of(row.begin(), row.end(), DecodesAsUtf8)) badLine = lines;
      for (const std::string& cell : row)
        for (std::size_t p = cell.find("\r\n"); p != std::string::npos; p = cell.find("\r\n", p + 2)) ++lines;
      ++lines;
    }
    CHECK(ReadListing(WrittenListing(utf8, rows), listing, line) == (badLine == 0) && line == badLine);
    CHECK(badLine != 0 || (listing.utf8 == utf8 && listing.rows == rows));
  }
  if (!ReadListing(raw, listing, line)) {
    CHECK(line >= 1 && line <= 1 + std::count(raw.begin(), raw.end(), '\n'));
    return;
  }
  CHECK(line == 0 && WrittenListing(listing.utf8, listing.rows) == raw);
  for (const ListingRow& row : listing.rows) CHECK(!listing.utf8 || std::all_of(row.begin(), row.end(), DecodesAsUtf8));
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
    case 3: ListingProperties(std::string(data + 1, data + size), fields); break;  // the bytes, and as cells
  }
  return 0;
}
