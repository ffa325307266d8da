#include "listops/CsvLine.h"

template <typename Char>
void AppendQuotedCell(std::basic_string<Char>& out, const std::basic_string<Char>& cell) {
  out += Char('"');
  for (Char c : cell) {
    if (c == Char('"')) out += c;
    out += c;
  }
  out += Char('"');
}
template void AppendQuotedCell(std::string&, const std::string&);
template void AppendQuotedCell(std::wstring&, const std::wstring&);

void AppendCsvLine(std::string& out, const std::string* cells, int count) {
  for (int i = 0; i < count; ++i) {
    if (i > 0) out += ',';
    AppendQuotedCell(out, cells[i]);
  }
  out += "\r\n";
}
