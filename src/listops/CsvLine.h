#pragma once
#include <string>

// Appends one export line: every cell in double quotes (an embedded quote doubled),
// separated by commas, ended by CR LF. cells points at count texts.
void AppendCsvLine(std::string& out, const std::string* cells, int count);

// Appends the cell in double quotes with every quote in it doubled, as spreadsheets read it.
void AppendQuotedCell(std::string& out, const std::string& cell);
