#pragma once
#include <string>
#include <vector>

// Appends one line of rows copied for a spreadsheet: the cells separated by tabs, ended by CR LF.
// A cell that holds a tab, a CR, an LF or a double quote goes in double quotes with its quotes
// doubled, as spreadsheets write and read such a cell. cells points at count texts.
void AppendTabbedLine(std::string& out, const std::string* cells, int count);

// Paths copied one per line: CR LF between two, none after the last, so that a single path pastes
// into a box or a command line as it is.
std::string PathLines(const std::vector<std::string>& paths);
