#pragma once
#include <string>

// Appends one export line: every cell in double quotes (an embedded quote doubled),
// separated by commas, ended by CR LF. cells points at count texts.
void AppendCsvLine(std::string& out, const std::string* cells, int count);
