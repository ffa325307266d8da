#pragma once
#include <string>

// Appends one export line: every cell in double quotes (an embedded quote doubled),
// separated by commas, ended by CR LF. cells points at count texts.
void AppendCsvLine(std::string& out, const std::string* cells, int count);

// Appends the cell in double quotes with every quote in it doubled, as spreadsheets read it. Code
// page 932, UTF-8 and UTF-16 alike: a quote is never part of another character there.
template <typename Char>
void AppendQuotedCell(std::basic_string<Char>& out, const std::basic_string<Char>& cell);
