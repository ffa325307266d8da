#include "listops/ClipboardText.h"

#include "listops/CsvLine.h"

namespace {

template <typename Char>
bool NeedsQuotes(const std::basic_string<Char>& cell) {
  static const Char kSpecial[] = {'\t', '\r', '\n', '"', 0};
  return cell.find_first_of(kSpecial) != std::basic_string<Char>::npos;
}

}  // namespace

template <typename Char>
void AppendTabbedLine(std::basic_string<Char>& out, const std::basic_string<Char>* cells, int count) {
  for (int i = 0; i < count; ++i) {
    if (i > 0) out += Char('\t');
    if (NeedsQuotes(cells[i]))
      AppendQuotedCell(out, cells[i]);
    else
      out += cells[i];
  }
  out += Char('\r');
  out += Char('\n');
}
template void AppendTabbedLine(std::string&, const std::string*, int);
template void AppendTabbedLine(std::wstring&, const std::wstring*, int);

template <typename Char>
std::basic_string<Char> PathLines(const std::vector<std::basic_string<Char>>& paths) {
  std::basic_string<Char> text;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    if (i > 0) text += {Char('\r'), Char('\n')};
    text += paths[i];
  }
  return text;
}
template std::string PathLines(const std::vector<std::string>&);
template std::wstring PathLines(const std::vector<std::wstring>&);
