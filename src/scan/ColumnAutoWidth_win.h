#pragma once
#include <windows.h>

// Sizes every column to the widest of its cells and its header, as LVSCW_AUTOSIZE_USEHEADER
// does, but measuring only the rows that can hold a widest cell.
void SizeColumnsToContent(HWND list);
