// AppendCsvLine: a line of 17 cells reads back as exactly those cells, ended by CR LF.
#include "FuzzSupport.h"
#include "listops/CsvLine.h"
#include "common/ColumnTable.h"

namespace {

// Reads one line written by AppendCsvLine, starting at pos; false when it is malformed.
bool ParseLine(const std::string& text, std::size_t& pos, std::vector<std::string>& cells) {
  cells.clear();
  for (;;) {
    if (pos >= text.size() || text[pos] != '"') return false;
    ++pos;
    std::string cell;
    for (;;) {
      if (pos >= text.size()) return false;
      if (text[pos] == '"') {
        if (pos + 1 < text.size() && text[pos + 1] == '"') {
          cell += '"';
          pos += 2;
          continue;
        }
        ++pos;
        break;
      }
      cell += text[pos++];
    }
    cells.push_back(cell);
    if (pos < text.size() && text[pos] == ',') {
      ++pos;
      continue;
    }
    if (text.compare(pos, 2, "\r\n") != 0) return false;
    pos += 2;
    return true;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzReader in(data, size);
  const std::vector<std::string> fields = in.Fields();

  std::vector<std::string> row(kColumnCount);
  for (int c = 0; c < kColumnCount; ++c) row[c] = fields[c % fields.size()];
  // A second row with the raw fields, to check lines follow each other cleanly.
  const std::string prefix = "\"prev\"\r\n";
  std::string out = prefix;
  AppendCsvLine(out, row.data(), kColumnCount);
  const std::size_t firstEnd = out.size();
  AppendCsvLine(out, fields.data(), static_cast<int>(fields.size()));

  FUZZ_CHECK(out.compare(0, prefix.size(), prefix) == 0);
  FUZZ_CHECK(out.compare(firstEnd - 2, 2, "\r\n") == 0);
  std::size_t pos = prefix.size();
  std::vector<std::string> cells;
  FUZZ_CHECK(ParseLine(out, pos, cells));
  FUZZ_CHECK(pos == firstEnd);
  FUZZ_CHECK(cells.size() == static_cast<std::size_t>(kColumnCount));
  FUZZ_CHECK(cells == row);
  FUZZ_CHECK(ParseLine(out, pos, cells));
  FUZZ_CHECK(pos == out.size());
  FUZZ_CHECK(cells == fields);
  return 0;
}
