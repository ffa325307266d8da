#pragma once
#include <windows.h>

// Sets columns 8 to 15 of the row at index from the string table of the file's version
// resource; " " for every string the file does not have.
void FillVersionCells(HWND list, int index, const char* fullPath);
