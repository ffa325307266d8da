#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "common/ColumnTable.h"

// 0 not sorted since the last scan, 1 ascending, 2 descending.
extern int sortState[kColumnCount];

// The list view with its 17 columns, widths from columnWidths.
HWND CreateFileList(HWND parent, HINSTANCE instance);

// Appends the row of one file with its name in column 0 and the tag as lParam.
// False when the control refused the row (it holds as many as it can).
bool InsertFileRow(HWND list, int index, const char* name, int tag);
void SetCellText(HWND list, int index, int column, const char* text);

// The whole text of a cell, however long.
std::string GetCellText(HWND list, int row, int column);
// The same into text, with buffer as the room to read into: reading many cells this way
// allocates once.
void ReadCellText(HWND list, int row, int column, std::string& text, std::vector<char>& buffer);
int RowCount(HWND list);

// Sizes every column to the widest of its cells and its header, as LVSCW_AUTOSIZE_USEHEADER does.
void SizeColumnsToContent(HWND list);

// Makes inserts fail once the list holds maxRows rows; -1 lifts the limit.
void SetRowLimitForTest(int maxRows);
