#pragma once
#include <windows.h>

// Sets cells 1 to 16 of the row at index from the file's directory entry and full path.
void FillFileCells(HWND list, int index, const WIN32_FIND_DATAA& data, const char* fullPath);
