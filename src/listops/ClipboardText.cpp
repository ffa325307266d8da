#include "listops/ClipboardText.h"

#include "listops/CsvLine.h"

// None of these bytes is ever a CP932 trail byte, so looking at single bytes is safe.
static bool NeedsQuotes(const std::string& cell) { return cell.find_first_of("\t\r\n\"") != std::string::npos; }

void AppendTabbedLine(std::string& out, const std::string* cells, int count) {
  for (int i = 0; i < count; ++i) {
    if (i > 0) out += '\t';
    if (NeedsQuotes(cells[i]))
      AppendQuotedCell(out, cells[i]);
    else
      out += cells[i];
  }
  out += "\r\n";
}

std::string PathLines(const std::vector<std::string>& paths) {
  std::string text;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += paths[i];
  }
  return text;
}
