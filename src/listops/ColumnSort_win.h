#pragma once
#include <windows.h>

// Sorts the list by a column, alternating the column's direction.
void SortByColumn(HWND list, int column);
