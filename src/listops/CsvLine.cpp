#include "listops/CsvLine.h"

void AppendCsvLine(std::string& out, const std::string* cells, int count) {
  for (int i = 0; i < count; ++i) {
    if (i > 0) out += ',';
    out += '"';
    // 0x22 is never a CP932 trail byte, so doubling quotes byte by byte is safe.
    for (char c : cells[i]) {
      if (c == '"') out += '"';
      out += c;
    }
    out += '"';
  }
  out += "\r\n";
}
