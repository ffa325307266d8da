#pragma once
#include <string>
#include <vector>

// Appends one line of rows copied for a spreadsheet: the cells separated by tabs, ended by CR LF.
// A cell that holds a tab, a CR, an LF or a double quote goes in double quotes with its quotes
// doubled, as spreadsheets write and read such a cell. cells points at count texts, in code page
// 932 or in UTF-16 (none of those characters is ever part of another in either).
template <typename Char>
void AppendTabbedLine(std::basic_string<Char>& out, const std::basic_string<Char>* cells, int count);

// Paths copied one per line: CR LF between two, none after the last, so that a single path pastes
// into a box or a command line as it is.
template <typename Char>
std::basic_string<Char> PathLines(const std::vector<std::basic_string<Char>>& paths);
