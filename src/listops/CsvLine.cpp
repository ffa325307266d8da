#include "listops/CsvLine.h"

void AppendQuotedCell(std::string& out, const std::string& cell) {
  out += '"';
  // 0x22 is never a CP932 trail byte, so doubling quotes byte by byte is safe.
  for (char c : cell) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

void AppendCsvLine(std::string& out, const std::string* cells, int count) {
  for (int i = 0; i < count; ++i) {
    if (i > 0) out += ',';
    AppendQuotedCell(out, cells[i]);
  }
  out += "\r\n";
}
